// The program's icon in every size of the hicolor theme (16 to 256
// pixels), so that the window, the task bar and the About box pick a bitmap
// drawn for their size and scale, sharp on 2x screens too.
#pragma once

#include <QIcon>

namespace tarvo::ui::qt {

QIcon ProgramIcon();

}  // namespace tarvo::ui::qt
