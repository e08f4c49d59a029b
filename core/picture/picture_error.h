// Why a picture cannot be turned into a part: damaged, of a kind that is not
// read, too large for a slot, or needing more memory to decode than allowed.
// The message is a sentence in the tools' style, without the file's name.
#pragma once

#include <stdexcept>

class PictureError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A picture too large: its file, for a slot, or to be decoded or scaled
// within the memory budget.
class PictureTooLargeError : public PictureError {
  public:
    using PictureError::PictureError;
};
