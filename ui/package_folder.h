// Where the editor finds its room packages.
#pragma once

#include "framework/cstring.h"

// "部屋\" if an entry (folder or file) of that name is in the working
// directory, else "へや\" likewise, else "プラグインフォルダ\" untested.
CString FindPackageFolder();
