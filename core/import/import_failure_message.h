// What the editor tells the user about a picture it could not import.
#pragma once

#include <string>

#include "picture_import.h"

// Empty for a picture left out because the user chose not to shrink it.
std::string ImportFailureMessage(const ImportFailure &failure);
