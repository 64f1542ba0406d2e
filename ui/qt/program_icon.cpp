#include "ui/qt/program_icon.h"

// The icons live in a static library's resources, which must be registered
// by hand.
static void RegisterResources() { Q_INIT_RESOURCE(resources); }

namespace tarvo::ui::qt {

QIcon ProgramIcon() {
  static const bool registered = [] {
    RegisterResources();
    return true;
  }();
  Q_UNUSED(registered);
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/tarvo/icons/%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace tarvo::ui::qt
