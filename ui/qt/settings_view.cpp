#include "ui/qt/settings_view.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace tarvo::ui::qt {
namespace {

// The widgets' names, which tests and style sheets find them by.
const char* ObjectNameOf(SettingsField field) {
  switch (field) {
    case SettingsField::kMinWords: return "minWords";
    case SettingsField::kMinSuffixes: return "minSuffixes";
    case SettingsField::kWordWeight: return "wordWeight";
    case SettingsField::kSuffixWeight: return "suffixWeight";
    case SettingsField::kGroupsShown: return "groupsShown";
    case SettingsField::kBufferSize: break;
  }
  return "bufferSize";
}

}  // namespace

SettingsView::SettingsView(SettingsLogic& logic, QWidget* parent) : DialogView(logic, parent) {
  setWindowTitle(tr("Settings"));
  // The captions are the logic's: its messages name each field by them.
  auto add_field = [this, &logic](QFormLayout* form, SettingsField field) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(ObjectNameOf(field)));
    form->addRow(QCoreApplication::translate("SettingsLogic", CaptionOf(field)), edit);
    binder().BindEdit(edit, logic.Edit(field));
  };

  auto* selection = new QGroupBox(tr("Main suffix group selection"), this);
  auto* selection_form = new QFormLayout(selection);
  for (SettingsField field : {SettingsField::kMinWords, SettingsField::kMinSuffixes, SettingsField::kWordWeight,
                              SettingsField::kSuffixWeight}) {
    add_field(selection_form, field);
  }
  auto* list_form = new QFormLayout;
  add_field(list_form, SettingsField::kGroupsShown);
  add_field(list_form, SettingsField::kBufferSize);
  auto* characters = new QCheckBox(QCoreApplication::translate("SettingsLogic", kReadAsCharactersCaption), this);
  characters->setObjectName(QStringLiteral("readAsCharacters"));
  list_form->addRow(characters);
  binder().BindCheckBox(characters, logic.read_as_characters_check());
  auto* backwards = new QCheckBox(QCoreApplication::translate("SettingsLogic", kReadBackwardsCaption), this);
  backwards->setObjectName(QStringLiteral("readBackwards"));
  list_form->addRow(backwards);
  binder().BindCheckBox(backwards, logic.read_backwards_check());

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
  QPushButton* help = buttons->addButton(tr("&Help"), QDialogButtonBox::HelpRole);
  ok->setObjectName(QStringLiteral("ok"));
  cancel->setObjectName(QStringLiteral("cancel"));
  help->setObjectName(QStringLiteral("help"));
  ok->setDefault(true);
  binder().BindButton(ok, [&logic] { logic.Accept(); });
  binder().BindButton(cancel, [&logic] { logic.Reject(); });
  binder().BindButton(help, [&logic] { logic.OnHelp(); });
  auto* help_key = new QShortcut(QKeySequence::HelpContents, this);
  connect(help_key, &QShortcut::activated, this, [this, &logic] { binder().Run([&logic] { logic.OnHelp(); }); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(selection);
  layout->addLayout(list_form);
  layout->addStretch();
  layout->addWidget(buttons);
}

}  // namespace tarvo::ui::qt
