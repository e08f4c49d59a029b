// The parts collection folder and the naming of its part files: two digits
// (the slot, or the slot + 20 for a mask), then the package stem and "BMP"
// for an exported part, or any entry text for a part offered in a combo box.
#pragma once

#include <string>

// The folder the editor uses, relative to its working directory.
inline constexpr char PartsCollectionFolder[] = "部屋の部品集\\";

// The stem of the file-name field's text (which shows CurrentPackageName):
// the text without its last three bytes, "abc." for "abc.pac".
std::string PartStem(const std::string &fieldText);
// Name of an exported part file: two digits, the stem, "BMP" ("00abc.BMP").
std::string ExportFileName(int number, const std::string &stem);
// The combo box entry of an exported room: stem + "BMP".
std::string ExportedEntryText(const std::string &stem);
// The collection file that an entry text names for a slot or mask number.
std::string CollectionFileName(int number, const std::string &entryText);
