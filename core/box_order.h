// The order of the editor's sorted list and combo boxes (the room list, the
// part combo boxes, the compose dialog's file names), for front ends that
// keep such a box themselves. The boxes compare entries without regard to
// letter case; here that is: ASCII letters and the full-width Latin letters
// of code page 932 compare as their lower-case forms, every other byte as
// it is, in code page 932 byte order. Texts equal under that rule are one
// entry to a search for an exact entry.
#pragma once

#include <string>

// The text with its letters folded: equal keys are equal entries, and keys
// in byte order are the boxes' order.
std::string BoxOrderKey(const std::string &text);
// Whether a comes before b in a box; texts of equal keys by their bytes, so
// that the order never depends on the order in which entries were added.
bool BoxOrderLess(const std::string &a, const std::string &b);
