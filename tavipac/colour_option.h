// Colours given on the command line as RRGGBB or #RRGGBB (hexadecimal).
#pragma once

#include <cstdint>
#include <string>

// 0x00RRGGBB. Throws a UsageError naming the option for anything else.
std::uint32_t ParseColour(const std::string &text, const std::string &option);
