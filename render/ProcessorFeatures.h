#pragma once

namespace Quorvane {

// True when the processor has AVX2 and the operating system saves the
// 256-bit registers across thread switches, so AVX2 code can run.
bool processorHasAvx2();

} // namespace Quorvane
