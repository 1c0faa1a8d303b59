#pragma once

#include <string>

namespace Quorvane {

// The complete text of data/head.obj: a comment header, then v, vt and vn
// lines (one of each per vertex, same order) and f lines whose corners name
// the same index three times. The same bytes on every run and platform.
std::string headObjText();

} // namespace Quorvane
