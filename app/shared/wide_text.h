// UTF-8 text (the program's strings) to and from UTF-16 (the wide Win32 calls), so names outside
// the ANSI code page survive whatever code page the process runs with.
#pragma once
#include <string>

namespace app {

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace app
