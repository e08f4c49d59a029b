// What the program's exit code tells: success, a check that found problems,
// or a usage or file error.
#pragma once

inline constexpr int ExitSuccess = 0;
inline constexpr int ExitProblemsFound = 1;
inline constexpr int ExitUsageOrFileError = 2;
