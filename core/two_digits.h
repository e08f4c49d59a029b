// Slot and record numbers in file names and messages: at least two digits,
// zero-padded, as "%02d" prints them.
#pragma once

#include <string>

inline std::string TwoDigits(int number)
{
    std::string text = number >= 0 && number < 10 ? "0" : "";
    text += std::to_string(number);
    return text;
}
