// Where a command writes: results to out, messages and warnings to err. Both
// carry UTF-8 text.
#pragma once

#include <ostream>

struct Console {
    std::ostream &out;
    std::ostream &err;
};
