#pragma once
// The services of the Basic runtime that the core needs from whichever front end hosts it:
// message boxes, letting window events run, and ending the program.

#include <chrono>
#include <string>

#include "platform/platform.h"

namespace runtime {

// Button and icon codes of a message box, as the Basic runtime numbers them.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
};

enum MsgBoxResult : int {
    vbOK = 1,
    vbYes = 6,
    vbNo = 7,
};

inline constexpr int kMsgBoxButtonMask = 0x0F;
inline constexpr int kMsgBoxIconMask = 0x70;
inline constexpr int kMsgBoxDefaultMask = 0x300;

inline constexpr const char* kProgramTitle = "Marquill";

// Thrown by the test seam of EndProgram. Deliberately not a std::exception, so that no
// procedure's catch can swallow the end of the program.
struct ProgramEnded {};

// A message box as the core asks for it.
struct ShownBox {
    std::string text;  // lines separated by CR LF
    int style;         // MsgBoxStyle codes, added up
    std::string title;
};

class RuntimeServices {
public:
    virtual ~RuntimeServices() = default;
    // Modal box. Returns the MsgBoxResult of the answer.
    virtual int MsgBox(const ShownBox& box) = 0;
    // Runs the window events already queued, then returns.
    virtual void DoEvents() = 0;
    // Sleeps until a window event arrives (and runs it), the child's end signal fires, or
    // `bound` has passed, whichever comes first.
    virtual void WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd) = 0;
    // Makes what must be durable durable and ends the program at once.
    [[noreturn]] virtual void EndProgram() = 0;
    // Only a test seam's EndProgram returns control (by throwing); it then answers true.
    virtual bool Ended() const { return false; }
};

// The front end installs its services at start; the core reaches them through these.
void InstallRuntime(RuntimeServices* services);
// Takes the services away again, unless others were installed since.
void UninstallRuntime(const RuntimeServices* services);
RuntimeServices& Runtime();

int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = kProgramTitle);
void DoEvents();
void WaitForEvents(std::chrono::milliseconds bound, platform::EndSignal childEnd);
[[noreturn]] void EndProgram();

}  // namespace runtime
