#include "render/ProcessorFeatures.h"

#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <cpuid.h>
#endif

#include <cstdint>

namespace Quorvane {

namespace {

struct CpuidRegisters {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
};

CpuidRegisters cpuid(unsigned leaf)
{
    CpuidRegisters r;
#if defined(_MSC_VER)
    int values[4];
    __cpuidex(values, static_cast<int>(leaf), 0);
    r = {static_cast<unsigned>(values[0]), static_cast<unsigned>(values[1]), static_cast<unsigned>(values[2]),
         static_cast<unsigned>(values[3])};
#else
    __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
#endif
    return r;
}

// The register-state bits the operating system enabled (XCR0).
std::uint64_t enabledRegisterState()
{
#if defined(_MSC_VER)
    return _xgetbv(0);
#else
    unsigned low = 0, high = 0;
    __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (static_cast<std::uint64_t>(high) << 32) | low;
#endif
}

bool has(unsigned value, int bit)
{
    return ((value >> bit) & 1u) != 0;
}

} // namespace

bool processorHasAvx2()
{
    if (cpuid(0).eax < 7)
        return false;
    const CpuidRegisters features = cpuid(1);
    // OSXSAVE (27) says xgetbv may be asked; AVX (28) the instructions exist.
    if (!has(features.ecx, 27) || !has(features.ecx, 28))
        return false;
    // The system must save both the SSE (bit 1) and the upper AVX (bit 2) halves.
    constexpr std::uint64_t sseAndAvxState = 0x6;
    if ((enabledRegisterState() & sseAndAvxState) != sseAndAvxState)
        return false;
    return has(cpuid(7).ebx, 5);
}

} // namespace Quorvane
