// What the compose dialog offers when it opens: the names of the packages it
// may be saved over, and the name of the package last loaded or saved.
#pragma once

#include <string>
#include <vector>

// The package files of the folder that pass ComposeListProbe, without their
// ".pac", in the order the file system enumerates them. Folders are skipped.
std::vector<std::string> ComposeNameChoices(const std::string &packageFolder);
// The file name without its last four bytes ("abc.pac" gives "abc"); empty
// for a name shorter than four bytes.
std::string InitialComposeName(const std::string &currentPackageName);
