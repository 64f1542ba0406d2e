#include "ui/qt/new_words_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/item_views.h"
#include "ui/qt/view_placeholder.h"

namespace tarvo::ui::qt {
namespace {

QPushButton* NewButton(const QString& text, const char* object_name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(object_name));
  return button;
}

QString Count(int count) { return QLocale().toString(count); }

}  // namespace

NewWordsView::NewWordsView(NewWordsLogic& logic, DisplayEncoding encoding, QWidget* parent)
    : DialogView(logic, parent) {
  setWindowTitle(tr("New words generation"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  auto shown_as = [encoding] { return encoding; };
  LogicBinder& bind = binder();
  // The groups of a list read backwards (prefix mode) are groups of prefixes.
  const bool prefixes = logic.reading_backwards();

  // The widgets are made in tab order: the left column top to bottom, then
  // the stems, the possible words with their buttons, the words to be
  // added, OK and Cancel.
  auto* main_group = new QLabel(this);
  main_group->setObjectName(QStringLiteral("mainGroupLabel"));
  main_group->setWordWrap(true);
  main_group->setTextInteractionFlags(Qt::TextSelectableByMouse);
  bind.BindLabel(main_group, logic.main_group_label(), shown_as);

  auto* suspicious_caption = NewCountCaption(
      bind, logic.suspicious_groups(),
      [prefixes](int n) {
        return (prefixes ? tr("Suspicious prefix groups: %1") : tr("Suspicious suffix groups: %1")).arg(Count(n));
      },
      this);
  suspicious_caption->setObjectName(QStringLiteral("suspiciousCaption"));
  std::vector<TableColumn> columns{
      {tr("Label"), {}, {}, true},
      {tr("Stems"), [&logic](int row) { return Count(static_cast<int>(logic.SuspiciousStemCount(row))); },
       [&logic](int row) { return static_cast<double>(logic.SuspiciousStemCount(row)); }},
      {prefixes ? tr("Lacking prefixes") : tr("Lacking suffixes"),
       [&logic, shown_as](int row) {
         return QString::fromStdString(DisplayText(logic.LackingSuffixes(row), shown_as()));
       },
       {}, true},
  };
  QTableView* suspicious = NewTable(bind, {logic.suspicious_groups(), shown_as, [&logic] { logic.OnShowGroup(); }},
                                    std::move(columns), -1, 0, QStringLiteral("suspiciousGroups"), this);
  auto* distance = new QLineEdit(this);
  distance->setObjectName(QStringLiteral("distance"));
  distance->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
  bind.BindEdit(distance, logic.distance_edit());
  auto* reanalyse = NewButton(tr("&Reanalyse"), "reanalyse", this);
  bind.BindButton(reanalyse, [&logic] { logic.OnReanalyse(); });
  bind.PressOnEnter(distance, reanalyse);
  auto* automatic = NewButton(tr("&Automatic"), "automatic", this);
  bind.BindButton(automatic, [&logic] { logic.OnAutomatic(); }, [&logic] { return logic.CanRunAutomatic(); });
  auto* status = new QLabel(this);
  status->setObjectName(QStringLiteral("status"));
  status->setWordWrap(true);
  bind.BindLabel(status, logic.status(), [] { return DisplayEncoding::kUtf8; });

  auto* stems_caption = NewCountCaption(
      bind, logic.group_words(),
      [prefixes](int n) {
        return (prefixes ? tr("Words of the chosen prefix group: %1") : tr("Words of the chosen suffix group: %1"))
            .arg(Count(n));
      },
      this);
  QListView* stems = NewList(bind, {logic.group_words(), shown_as}, QStringLiteral("groupWords"), this);
  auto* possible_box = new QGroupBox(this);
  bind.AddSync([possible_box, &logic] {
    possible_box->setTitle(tr("Possible new words: %1").arg(Count(logic.possible_words().RowCount())));
  });
  QListView* possible = NewList(bind, {logic.possible_words(), shown_as}, QStringLiteral("possibleWords"), this);
  auto* select_all = NewButton(tr("&Select all"), "selectAll", this);
  auto* clear_all = NewButton(tr("&Clear all"), "clearAll", this);
  auto* add = NewButton(tr("A&dd"), "add", this);
  bind.BindButton(select_all, [&logic] { logic.OnSelectAll(); });
  bind.BindButton(clear_all, [&logic] { logic.OnClearAll(); });
  bind.BindButton(add, [&logic] { logic.OnAdd(); });
  auto* export_words = NewButton(tr("E&xport..."), "exportWords", this);
  bind.BindButton(export_words, [&logic] { logic.OnExportWords(); },
                  [&logic] { return logic.possible_words().RowCount() > 0; });
  auto* to_add_box = new QGroupBox(this);
  bind.AddSync([to_add_box, &logic] {
    to_add_box->setTitle(tr("Words to be added: %1").arg(Count(logic.words_to_add().RowCount())));
  });
  QListView* to_add = NewList(bind, {logic.words_to_add(), shown_as}, QStringLiteral("wordsToAdd"), this);
  // What fills each empty list, in the order the user goes.
  const auto no_group_shown = [&logic] {
    return logic.suspicious_groups().RowCount() > 0 && logic.group_words().RowCount() == 0;
  };
  ShowPlaceholder(bind, stems, [no_group_shown] {
    return no_group_shown() ? tr("Double-click a suspicious group to list its stems.") : QString();
  });
  ShowPlaceholder(bind, possible, [no_group_shown, &logic] {
    if (no_group_shown()) return tr("Double-click a suspicious group to see the new words it proposes.");
    return logic.group_words().RowCount() > 0 ? tr("This group proposes no new words.") : QString();
  });
  ShowPlaceholder(bind, to_add, [] { return tr("Select possible new words and press Add, or press Automatic."); });
  auto* remove = NewButton(tr("R&emove selected"), "removeSelected", this);
  bind.BindButton(remove, [&logic] { logic.OnRemoveSelected(); });
  auto* ok = NewButton(tr("Add to the &word tree"), "ok", this);
  ok->setDefault(true);
  bind.BindButton(ok, [&logic] { logic.Accept(); }, [&logic] { return logic.CanAccept(); });
  auto* cancel = NewButton(tr("Ca&ncel"), "cancel", this);
  bind.BindButton(cancel, [&logic] { logic.Reject(); });

  // Left column.
  auto* main_row = new QHBoxLayout;
  main_row->addWidget(new QLabel(prefixes ? tr("The main prefix group:") : tr("The main suffix group:"), this), 0, Qt::AlignTop);
  main_row->addWidget(main_group, 1);
  auto* distance_row = new QHBoxLayout;
  auto* distance_caption = new QLabel(prefixes ? tr("The distance from the main prefix group") : tr("The distance from the main suffix group"), this);
  distance_caption->setBuddy(distance);
  distance_row->addWidget(distance_caption);
  distance_row->addWidget(distance);
  distance_row->addWidget(reanalyse);
  auto* left = new QVBoxLayout;
  left->addLayout(main_row);
  left->addWidget(suspicious_caption);
  left->addWidget(suspicious, 1);
  left->addLayout(distance_row);
  left->addWidget(automatic, 0, Qt::AlignLeft);
  left->addWidget(status);

  // Right column: the stems beside the possible words, the words to be
  // added below them.
  auto* stems_column = new QVBoxLayout;
  stems_column->addWidget(stems_caption);
  stems_column->addWidget(stems);
  auto* possible_buttons = new QVBoxLayout;
  for (QPushButton* button : {select_all, clear_all, add, export_words}) possible_buttons->addWidget(button);
  possible_buttons->addStretch();
  auto* possible_layout = new QHBoxLayout(possible_box);
  possible_layout->addWidget(possible, 1);
  possible_layout->addLayout(possible_buttons);
  auto* to_add_buttons = new QVBoxLayout;
  to_add_buttons->addWidget(remove);
  to_add_buttons->addStretch();
  to_add_buttons->addWidget(ok);
  to_add_buttons->addWidget(cancel);
  auto* to_add_layout = new QHBoxLayout(to_add_box);
  to_add_layout->addWidget(to_add, 1);
  to_add_layout->addLayout(to_add_buttons);
  auto* right = new QGridLayout;
  right->addLayout(stems_column, 0, 0);
  right->addWidget(possible_box, 0, 1);
  right->addWidget(to_add_box, 1, 0, 1, 2);
  right->setColumnStretch(0, 2);
  right->setColumnStretch(1, 3);  // the possible words share theirs with three buttons

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 2);
  layout->addLayout(right, 3);
  // Room for the lists at the first show; the user may make it any size.
  resize(sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 130, fontMetrics().height() * 34)));
}

}  // namespace tarvo::ui::qt
