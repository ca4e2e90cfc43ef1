#pragma once

#include <cstdint>
#include <string>

namespace Runtime {

// Failure numbers, one per cause, shown beside the description in the
// failure message and in the report's title line.
enum ErrorNumber : std::int32_t {
    kOverflow = 6,
    kOutOfMemory = 7,
    kBadFileNumber = 52,
    kFileNotFound = 53,
    kDiskFull = 61,
    kNameTooLong = 64,
    kTooManyFiles = 67,
    kAccessDenied = 70,
    kNotReady = 71,
    kDeviceIo = 57,
    kPathNotFound = 76,
    kUnknownFailure = 51,
};

// A failure raised by a runtime service. Thrown by the services, caught by
// the one handler of whoever calls them; it never crosses GetMidInfo.
struct RuntimeError {
    std::int32_t Number = 0;
    std::string Description;  // UTF-8, Japanese

    // "<number> <description>": the form the reader puts into a title.
    std::string Message() const;

    bool operator==(const RuntimeError&) const = default;
};

// The Japanese description that goes with a number.
std::string DescribeError(std::int32_t number);

RuntimeError MakeError(std::int32_t number);

}  // namespace Runtime
