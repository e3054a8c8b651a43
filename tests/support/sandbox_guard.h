// The guard of the test sandbox, C:\sandbox\: whether a path lies inside it, and the removal
// of a folder tree that never reaches outside it. Tests and benchmarks share it; it needs no
// GoogleTest.
#pragma once
#include <string>

namespace testing_sandbox {

// The UTF-8 and UTF-16 forms of a path, its full form, and the "\\?\" form the wide file calls
// take at any length; the guard's own conversions, not the code under test's.
std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& wide);
std::string FullPath(const std::string& path);
std::wstring ApiPath(const std::string& path);

// The sandbox root, "C:\sandbox\" (with the trailing backslash).
const std::string& Root();

// True when the full path lies strictly inside C:\sandbox\ and the path names no ".." (one
// that climbs out and back in is refused too).
bool InSandbox(const std::string& path);

// Aborts the program when the path lies outside the sandbox: a test must never be able to
// touch the host's files.
void RequireInSandbox(const std::string& path);

// Removes a file, or a folder with everything in it. A path outside the sandbox is refused:
// false, nothing touched. Links are never followed: a junction or symbolic link in the tree is
// removed itself where the system allows it and left otherwise, and what it leads to is never
// touched (under Wine a link to a file looks like that file, and deleting it deletes the
// target, so each entry is first checked against the path the system resolves it to). True
// when nothing is left.
bool RemoveSandboxTree(const std::string& path);

}  // namespace testing_sandbox
