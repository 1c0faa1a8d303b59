#pragma once

#include <QIcon>

namespace Quorvane {

// Quorvane's own icon, a flat-shaded faceted ball, in every size the program
// ships (16 to 256 pixels): the windows' icon and the About box's picture.
QIcon applicationIcon();

} // namespace Quorvane
