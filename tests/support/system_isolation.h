#pragma once
// What keeps a test from the system's shared state: the environment, and the registry that
// the program reads and writes.

#include <string>

namespace testsupport {

void SetEnvironment(const std::string& name, const std::string& value);

// Gives the test a registry of its own, without the program's keys. Linux: a fresh hive and
// cache below `root` (XDG_CONFIG_HOME, XDG_CACHE_HOME). Windows, whose registry every program
// shares: the settings key's "SOFTWARE\Tarvo" and NavMan's uninstall entry deleted.
void UseFreshRegistry(const std::string& root);
// Removes what a test left in a registry that outlives it (Windows).
void DropTestRegistry();

}  // namespace testsupport
