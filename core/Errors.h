#pragma once
// The engine's own exception types. None crosses the Qt event loop: the
// application's guard catches them and shows the message in a box.
#include <stdexcept>
#include <string>

namespace lc {

// A message meant for the user (already in the user's language where it can be).
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failed file operation: carries the path and what was being done.
class IoError : public Error {
public:
    IoError(std::string path, std::string operation, const std::string& detail = {})
        : Error(operation + " \"" + path + "\"" + (detail.empty() ? std::string() : ": " + detail)),
          path_(std::move(path)), operation_(std::move(operation)) {}
    const std::string& path() const { return path_; }
    const std::string& operation() const { return operation_; }

private:
    std::string path_;
    std::string operation_;
};

// Input that does not follow its format ("not a pattern library", "file is damaged").
class FormatError : public Error {
public:
    using Error::Error;
};

// A value outside the range the operation accepts.
class RangeError : public Error {
public:
    using Error::Error;
};

} // namespace lc
