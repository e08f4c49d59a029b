// Which systems the editor runs on, told from the platform id and the major
// and minor version that the operating-system version query reports.
#pragma once

#include <cstdint>

enum class SystemVerdict { Pass, Warn, Refuse };

inline constexpr std::uint32_t PlatformWin32Windows = 1; // Windows 95, 98, Me
inline constexpr std::uint32_t PlatformWin32Nt = 2;

SystemVerdict ClassifySystem(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor);

// Shown before ending on a refused system.
inline constexpr char UnsupportedSystemMessage[] = "このWindowsには対応していません";
// Shown before going on on a system of unknown kind.
inline constexpr char UntestedSystemMessage[] = "このWindowsには未対応です\n動作の保証はありません";
