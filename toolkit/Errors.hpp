#pragma once
// Errors that end a command. The window shows their message and stays usable.

#include <stdexcept>
#include <string>

namespace kartoval {

// Any failure a command reports by ending: the window's error report shows what().
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a number, e.g. "'abc' is not a valid floating point value".
class ConvertError : public CommandError {
public:
    using CommandError::CommandError;
};

// A point that can't be converted: a latitude outside -90..90, a result that
// is not a finite number.
class PointRangeError : public CommandError {
public:
    using CommandError::CommandError;
};

}  // namespace kartoval
