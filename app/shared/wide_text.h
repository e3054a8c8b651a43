// The application's short names for the framework's UTF-8/UTF-16 conversions (wide_text.h of the
// framework), used with the wide Win32 calls so names outside the ANSI code page survive.
#pragma once
#include <string>

#include "framework/rtl/wide_text.h"

namespace app {

inline std::wstring Widen(const std::string& text) { return fw::Utf8ToWide(text); }
inline std::string Narrow(const std::wstring& text) { return fw::WideToUtf8(text); }

}  // namespace app
