// The package folder the editor finds in the working directory.
#pragma once

#include <string>

// "部屋\" when an entry of that name exists, else "へや\", else
// "プラグインフォルダ\" (code page 932).
std::string FindPackageFolder();
// The folder made for packages where the working folder has none of them:
// "部屋\", the first that FindPackageFolder looks for.
std::string NewPackageFolder();
