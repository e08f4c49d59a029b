// Rules the compose dialog applies to what the user typed: the cutting of the
// header texts and the check of the package file name.
#pragma once

#include <string>

// The text as it fits a header text area: at most 255 bytes, and 254 when the
// 255th byte would open a two-byte unit (a byte 0x00-0x1F or 0x80-0xFF opens
// one, so a line break's CR LF stays whole); then one byte less when that
// leaves a code page 932 lead byte without its second byte at the end.
std::string CutToTextCapacity(const std::string &text);

// Whether N can name a package file N + ".pac" in the package folder: not
// empty, no path separators, wildcards, quotes, angle brackets, pipes or
// control bytes, valid code page 932 throughout, and no reserved device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9) before its first dot. A trailing dot or
// blank is allowed: ".pac" follows it ("abc." names "abc..pac").
bool IsUsableComposeName(const std::string &name);
