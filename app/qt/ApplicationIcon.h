#pragma once

#include <QIcon>

namespace Quorvane {

// Quorvane's own icon, the head model rendered by our own pipeline, in every
// size the program ships (16 to 256 pixels): the windows' icon and the About box's picture.
QIcon applicationIcon();

} // namespace Quorvane
