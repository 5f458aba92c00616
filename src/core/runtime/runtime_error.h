#pragma once
// The program keeps the ways of the Basic runtime it was first written for: a failure without a
// handler of its own is a runtime error with that runtime's number and German description, and
// the guarded procedures report the number of the statement they were at. This header holds the
// errors; runtime_services.h the services the front end offers.

#include <exception>
#include <string>

namespace runtime {

// Error numbers of the Basic runtime that this program can meet.
enum ErrorNumber : int {
    kInvalidArgument = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kBadFileName = 52,
    kFileNotFound = 53,
    kDiskFull = 61,
    kInputPastEndOfFile = 62,
    kPermissionDenied = 70,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
};

// German description of a runtime error number, as the Basic runtime words it.
std::string ErrorDescription(int number);

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, std::string description);

    int Number() const noexcept { return number_; }
    const std::string& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int number_;
    std::string description_;
};

// The runtime error for a failed operation on `path` with the given errno value.
RuntimeError ErrorFromErrno(int err, const std::string& path);

// Any failure as the runtime error a handler reports: itself, 7 for memory that ran out, 75
// for anything else, so that a failure of the library meets the same handling.
RuntimeError AsRuntimeError(const std::exception& failure);

}  // namespace runtime
