// Another process that holds a file open, for the tests of files that cannot be removed while
// it runs: it opens the file for reading without sharing deletion (as an editor or a running
// program does; with "none", sharing nothing, so that no one else can even read it), signals the
// event named READY, and keeps the file until the event named RELEASE is signalled or 60 seconds
// pass.
//   file_holder FILE READY RELEASE [none]
// Exit codes: 0 held and released, 1 the file or an event could not be opened, 2 bad arguments.
#include <windows.h>
#include <shellapi.h>

#include <string>

int main() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args || count < 4 || count > 5 || (count == 5 && std::wstring(args[4]) != L"none")) return 2;
  const std::wstring file = args[1], ready = args[2], release = args[3];
  const DWORD share = count == 5 ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  LocalFree(args);
  HANDLE readyEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, ready.c_str());
  HANDLE releaseEvent = OpenEventW(SYNCHRONIZE, FALSE, release.c_str());
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  int result = 1;
  if (readyEvent && releaseEvent && held != INVALID_HANDLE_VALUE) {
    SetEvent(readyEvent);
    WaitForSingleObject(releaseEvent, 60000);
    result = 0;
  }
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  if (releaseEvent) CloseHandle(releaseEvent);
  if (readyEvent) CloseHandle(readyEvent);
  return result;
}
