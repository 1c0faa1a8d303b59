#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Quorvane {

// What is wrong with an OFF file whose whole content is text, read as
// assimp's OFF reader reads it; empty when nothing is. That reader allocates
// the counts its header declares before it reads anything, so a count larger
// than the file could hold is refused. It also takes one off its face count
// for every face line that starts with 0 or more than 9 corners, past zero
// into four billion, and then crashes; and it copies a line of 4,096
// characters or more into a buffer one byte too short.
std::string offTextProblem(std::string_view text);

} // namespace Quorvane
