// Paths from the command line and paths in messages. The file layer takes
// every name as code page 932 with '\' between folders; the command line and
// the console speak UTF-8.
#pragma once

#include <string>

#include "core/file_names.h"

// A path given on the command line as the file layer takes it. Throws a
// UsageError when a character of it cannot be written in code page 932.
std::string StorePath(const std::string &commandLinePath);
// The same for a folder: ends in '\' unless it is empty (the working
// directory).
std::string StoreFolder(const std::string &commandLinePath);
// The parts collection folder of the editor run in workdir (a folder given
// on the command line; empty for the current directory), as the file layer
// takes it. Throws a CommandError when workdir is not a folder.
std::string CollectionFolderIn(const std::string &workdir);
// A file-layer path as the user reads it.
std::string ShownPath(const std::string &storePath);
