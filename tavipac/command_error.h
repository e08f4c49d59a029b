// The errors that end a command: a wrong command line or a file that cannot
// be read or written. Both end the program with exit code 2; the message goes
// to standard error.
#pragma once

#include <stdexcept>
#include <string>

class CommandError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class UsageError : public CommandError {
  public:
    using CommandError::CommandError;
};
