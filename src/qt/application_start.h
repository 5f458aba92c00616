#pragma once
// The application object, or one German line where no display can be reached: Qt's platform
// plugin would print a page of advice and abort with a core dump.

#include <QApplication>
#include <memory>

namespace qtfront {

// Exits the process with status 1 when the window system cannot be reached.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

}  // namespace qtfront
