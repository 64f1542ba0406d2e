#include "ui/qt/dialog_builder.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "ui/resource_ids.h"

namespace tarvo::ui::qt {

QFont DialogFont() {
  QFont font(QString::fromLatin1(kDialogFontFamily), kDialogFontPoints);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QRect DialogUnitsToPixels(const QFont& font, int x, int y, int width, int height) {
  const QFontMetrics metrics(font);
  // The average width of the 52 letters, rounded as classic dialogs do.
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const int unit_x = (letters / 26 + 1) / 2;
  const int unit_y = metrics.height();
  return QRect(x * unit_x / 4, y * unit_y / 8, width * unit_x / 4, height * unit_y / 8);
}

QString ControlText(const char* text) { return QString::fromUtf8(text); }

BuiltDialog::BuiltDialog(const DialogTemplate& dialog, QWidget* page) {
  const QFont font = DialogFont();
  page->setFont(font);
  page->setFixedSize(DialogUnitsToPixels(font, 0, 0, dialog.width, dialog.height).size());
  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::kStaticText: {
        auto* label = new QLabel(ControlText(control.text), page);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
      }
      case ControlKind::kGroupBox:
        widget = new QGroupBox(ControlText(control.text), page);
        break;
      case ControlKind::kPushButton:
      case ControlKind::kDefaultPushButton: {
        auto* button = new QPushButton(ControlText(control.text), page);
        button->setAutoDefault(false);
        button->setDefault(control.kind == ControlKind::kDefaultPushButton);
        widget = button;
        break;
      }
      case ControlKind::kEdit:
        widget = new QLineEdit(page);
        break;
      case ControlKind::kCheckBox:
        widget = new QCheckBox(ControlText(control.text), page);
        break;
      case ControlKind::kListBox: {
        auto* list = new QListView(page);
        list->setUniformItemSizes(true);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode((control.style & kListMultipleSelection) ? QAbstractItemView::MultiSelection
                                                                         : QAbstractItemView::SingleSelection);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        widget = list;
        break;
      }
    }
    widget->setGeometry(DialogUnitsToPixels(font, control.x, control.y, control.width, control.height));
    // Group boxes frame other controls: keep them underneath.
    if (control.kind == ControlKind::kGroupBox) widget->lower();
    if (control.id != kIdStatic) controls_.insert(control.id, widget);
  }
}

}  // namespace tarvo::ui::qt
