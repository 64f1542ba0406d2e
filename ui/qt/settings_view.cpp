#include "ui/qt/settings_view.h"

#include <QShortcut>

#include "ui/resource_ids.h"

namespace tarvo::ui::qt {

SettingsView::SettingsView(SettingsLogic& logic, QWidget* parent)
    : DialogView(logic, SettingsDialogTemplate(), parent) {
  for (int id : {kMinWordsEdit, kWordWeightEdit, kMinSuffixesEdit, kSuffixWeightEdit, kGroupsShownEdit,
                 kBufferSizeEdit}) {
    BindEdit(id, *logic.Edit(id));
  }
  BindCheckBox(kReadAsCharactersCheck, logic.read_as_characters_check());
  BindButton(kIdOkButton, [&logic] { logic.Accept(); });
  BindButton(kIdCancelButton, [&logic] { logic.Reject(); });
  BindButton(kIdHelpButton, [&logic] { logic.OnHelp(); });
  auto* help_key = new QShortcut(QKeySequence::HelpContents, this);
  connect(help_key, &QShortcut::activated, this, [this, &logic] { RunCommand([&logic] { logic.OnHelp(); }); });
}

}  // namespace tarvo::ui::qt
