#pragma once
// The services of the old runtime that the core needs from whichever front end hosts it:
// runtime errors, message boxes, letting window events run, and ending the program.

#include <chrono>
#include <exception>
#include <string>

namespace runtime {

// Error numbers of the old runtime that this program can meet.
enum ErrorNumber : int {
    kInvalidArgument = 5,
    kOverflow = 6,
    kBadFileName = 52,
    kFileNotFound = 53,
    kDiskFull = 61,
    kPermissionDenied = 70,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
};

// German description of a runtime error number, as the old runtime words it.
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

// Thrown by the test seam of EndProgram. Deliberately not a std::exception, so that no
// procedure's catch can swallow the end of the program.
struct ProgramEnded {};

// Button and icon codes of a message box, as the old runtime numbers them.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbDefaultButton1 = 0,
};

enum MsgBoxResult : int {
    vbOK = 1,
    vbYes = 6,
    vbNo = 7,
};

inline constexpr const char* kProgramTitle = "Marquill";

class RuntimeServices {
public:
    virtual ~RuntimeServices() = default;
    // Modal box; text lines are separated by CR LF. Returns the MsgBoxResult of the answer.
    virtual int MsgBox(const std::string& text, int style, const std::string& title) = 0;
    // Runs the window events already queued, then returns.
    virtual void DoEvents() = 0;
    // Runs window events as they come, for at most `bound`; returns early after an event.
    virtual void WaitForEvents(std::chrono::milliseconds bound) = 0;
    // Makes what must be durable durable and ends the program at once.
    [[noreturn]] virtual void EndProgram() = 0;
    // Only a test seam's EndProgram returns control (by throwing); it then answers true.
    virtual bool Ended() const { return false; }
};

// The front end installs its services at start; the core reaches them through these.
void InstallRuntime(RuntimeServices* services);
RuntimeServices& Runtime();

int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = kProgramTitle);
void DoEvents();
void WaitForEvents(std::chrono::milliseconds bound);
[[noreturn]] void EndProgram();

// The standard message for a runtime error that no procedure handled.
std::string StandardErrorText(const RuntimeError& error);

}  // namespace runtime
