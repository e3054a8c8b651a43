// The small programs the tests start beside themselves (built into the same folder as the test
// program): another process that holds a file, an ordinary program of the system's code page.
#pragma once
#include <string>

#include "framework/win.h"

namespace testing_support {

// Starts name (a program beside the test program) with the arguments, already quoted as they
// must stand on its command line; the process handle (the caller closes it), or null when it
// could not start.
HANDLE StartHelperProgram(const std::string& name, const std::string& arguments, DWORD flags = 0);

}  // namespace testing_support
