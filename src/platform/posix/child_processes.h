#pragma once
// Children this program started, so that ended ones are reaped and never linger as zombies.

#include <sys/types.h>

namespace platform::posix {

void RememberStartedChild(pid_t pid);
// Reaps every started child that has ended; the others stay remembered.
void ReapEndedChildren();

}  // namespace platform::posix
