// The outcome of a failed file operation: a numeric code and a Spanish
// description (UTF-8) for the caller to word.
#pragma once

#include <stdexcept>
#include <string>

namespace cartulo {

struct FileError {
    int code = 0;
    std::string description;
};

// Error codes of the card-file engine. Codes 5, 6, 7 and 9 are the reader's
// own; the others stand for the conditions the operating system reports.
namespace errors {
inline constexpr int kBadHeader = 5;      // header count not canonical, or a negative length
inline constexpr int kOverflow = 6;       // header count too large
inline constexpr int kTooManyCards = 7;   // more than 5000 cards
inline constexpr int kUnknownSister = 9;  // sister reference to no card read before
inline constexpr int kUnstorable = 10;    // content the file format cannot hold
inline constexpr int kBadFileName = 52;   // no file name, or one the system refuses
inline constexpr int kFileNotFound = 53;
inline constexpr int kIoError = 57;
inline constexpr int kDiskFull = 61;
inline constexpr int kPastEnd = 62;  // the file ends inside a record
inline constexpr int kPermissionDenied = 70;
inline constexpr int kAccessError = 75;  // a folder, a device, or another failure
inline constexpr int kPathNotFound = 76;
}  // namespace errors

// Raised instead of returning false when the debug flag is set.
class CartuloError : public std::runtime_error {
  public:
    explicit CartuloError(FileError e) : std::runtime_error(e.description), error(std::move(e)) {}
    FileError error;
};

}  // namespace cartulo
