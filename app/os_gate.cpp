#include "os_gate.h"

namespace {
SystemVerdict ClassifyWindows9x(std::uint32_t major, std::uint32_t minor)
{
    // 95 (4.0), 98 (4.10), Me (4.90).
    if (major == 4 && (minor == 0 || minor == 10 || minor == 90))
        return SystemVerdict::Pass;
    return SystemVerdict::Warn;
}

SystemVerdict ClassifyWindowsNt(std::uint32_t major, std::uint32_t minor)
{
    if (major == 4)
        return SystemVerdict::Refuse; // NT 4.0
    // 2000 (5.0), XP (5.1).
    if (major == 5 && (minor == 0 || minor == 1))
        return SystemVerdict::Pass;
    return SystemVerdict::Warn;
}
} // namespace

SystemVerdict ClassifySystem(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor)
{
    switch (platformId) {
    case PlatformWin32Windows: return ClassifyWindows9x(major, minor);
    case PlatformWin32Nt: return ClassifyWindowsNt(major, minor);
    default: return SystemVerdict::Refuse; // Win32s and anything unknown
    }
}
