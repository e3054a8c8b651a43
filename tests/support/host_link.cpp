#include "support/host_link.h"

#include "framework/sys/owned_handle.h"
#include "framework/win.h"
#include "support/sandbox_guard.h"

namespace testing_sandbox {
namespace {

// Starts a host program with its arguments and gives it time to end (a host process may not
// be waitable under Wine; the callers watch for its effect).
bool RunHost(const std::string& program, const std::string& args) {
  std::string cmd = program + " " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(("\\\\?\\unix" + program).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi))
    return false;
  fw::TFileHandle thread(pi.hThread), process(pi.hProcess);
  WaitForSingleObject(process.Get(), 10000);
  return true;
}

// The host's name of a Windows path under Wine; "" elsewhere.
std::string UnixName(const std::string& path) {
  using TWineGetUnixFileName = char*(CDECL*)(LPCWSTR);
  auto unixName = reinterpret_cast<TWineGetUnixFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return "";
  std::wstring wide(path.begin(), path.end());
  char* name = unixName(wide.c_str());
  std::string result = name ? name : "";
  if (name) HeapFree(GetProcessHeap(), 0, name);
  return result;
}

bool Exists(const std::string& path) {
  WIN32_FIND_DATAA data;
  fw::TFindHandle find(FindFirstFileA(path.c_str(), &data));
  return find.Valid();
}

bool WaitFor(const std::string& path, bool present) {
  for (int i = 0; i < 500; ++i) {
    if (Exists(path) == present) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

bool MakeLink(const std::string& link, const std::string& target, bool directory) {
  RequireInSandbox(link);
  using TCreateLink = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
  auto create = reinterpret_cast<TCreateLink>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
  if (create && create(link.c_str(), target.c_str(), directory ? 1 : 0) && Exists(link)) return true;
  std::string unixTarget = UnixName(target), unixLink = UnixName(link);
  if (unixTarget.empty() || unixLink.empty() || unixLink.find(' ') != std::string::npos ||
      unixTarget.find(' ') != std::string::npos)
    return false;
  return RunHost("/bin/ln", "-s " + unixTarget + " " + unixLink) && WaitFor(link, true);
}

bool RemoveLink(const std::string& link) {
  RequireInSandbox(link);
  std::string unixLink = UnixName(link);
  if (!unixLink.empty()) return RunHost("/bin/rm", unixLink) && WaitFor(link, false);
  // A Windows link: removing it never touches its target.
  if (!RemoveDirectoryA(link.c_str())) DeleteFileA(link.c_str());
  return !Exists(link);
}

}  // namespace testing_sandbox
