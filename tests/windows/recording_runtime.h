#pragma once

#include <string>
#include <vector>

#include "win32/win32_runtime.h"

namespace wintest {

// The Windows runtime with its real waits, but boxes recorded ("style text") and answered Yes
// or OK instead of shown, and the end of the program thrown instead of ending the test program.
class RecordingRuntime : public win32front::Win32Runtime {
public:
    int MsgBox(const runtime::ShownBox& box) override {
        boxes.push_back(std::to_string(box.style) + " " + box.text);
        return (box.style & runtime::vbYesNo) == runtime::vbYesNo ? runtime::vbYes : runtime::vbOK;
    }
    [[noreturn]] void EndProgram() override {
        ended = true;
        throw runtime::ProgramEnded{};
    }
    bool Ended() const override { return ended; }

    std::vector<std::string> boxes;
    bool ended = false;
};

}  // namespace wintest
