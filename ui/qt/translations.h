// The program's texts in the user's language.
#pragma once

namespace tarvo::ui::qt {

// Lets the window logic's texts go through QCoreApplication::translate, so
// that every installed QTranslator applies to them as to the views' tr()
// texts, and installs Qt's own translation for the system's language (the
// standard buttons and dialogs), when the system has one. Call it once,
// after the QApplication is made.
void InstallTranslations();

}  // namespace tarvo::ui::qt
