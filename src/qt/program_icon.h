// The program's icon, the picture the menu entry shows: for the title bars,
// the task bar and the about box.
#pragma once

#include <QIcon>

namespace folvane::gui {

// Every size the icon file holds (16 to 256 pixels), built into the
// program so that it shows in a build folder as once installed.
QIcon ProgramIcon();

}  // namespace folvane::gui
