// Puts a package into the editor's image store, as the editor does when a
// room is selected and its parts displayed.
#pragma once

#include <ostream>
#include <string>

// Clears the header and the four banks (as at the start of the editor), reads
// the header and the forty records into PackageHeader and the working banks
// and makes them the saved banks. What the editor would report (images that
// are not 8-bit, records larger than a slot) goes to warnings. Throws a
// CommandError when the file cannot be opened.
void LoadPackageIntoStore(const std::string &storePath, std::ostream &warnings);
