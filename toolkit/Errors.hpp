#pragma once
// Errors that end a command. The window shows their message under their
// caption and stays usable.

#include <stdexcept>
#include <string>
#include <utility>

namespace kartoval {

// The caption of every message about a data or point file that can't be read
// or holds something unusable.
inline constexpr const char* kFileErrorCaption = "File error";
// The program's name: its window title and the caption of its own messages
// and questions that are not about a data file.
inline constexpr const char* kProgramCaption = "Kartoval";

// Any failure a command reports by ending: the window's error report shows
// what() under Caption().
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& message, std::string caption = kProgramCaption)
        : std::runtime_error(message), caption_(std::move(caption))
    {
    }

    [[nodiscard]] const std::string& Caption() const { return caption_; }

private:
    std::string caption_;
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

// A request that can't be understood: an unknown zone or ellipsoid, options
// that don't go together (kartoval-convert's exit status 2).
class UsageError : public CommandError {
public:
    using CommandError::CommandError;
};

}  // namespace kartoval
