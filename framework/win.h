// The one way the framework and everything above it include the Windows headers,
// so the A/W name macros rename the same identifiers in every translation unit.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
