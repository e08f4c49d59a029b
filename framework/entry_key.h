// The key under which list and combo boxes take two entry texts for one
// when they search for an exact entry (LB_FINDSTRINGEXACT,
// CB_FINDSTRINGEXACT): the sort key of the user's locale without regard to
// letter case. A program that keeps a copy of a box's entries compares
// them by it without asking the box.
#pragma once

#include <string>

#include "cstring.h"

std::string FindStringExactKey(const CString &text);
