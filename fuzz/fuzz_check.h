// What every fuzz target shares: a failed expectation ends the run as a crash
// that libFuzzer reports with its input.
#pragma once

inline void Check(bool holds)
{
    if (!holds) {
        __builtin_trap();
    }
}
