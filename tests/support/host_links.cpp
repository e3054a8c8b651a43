#include "support/host_links.h"

#include "framework/rtl/file_utils.h"
#include "framework/win.h"
#include "support/sandbox_guard.h"

namespace testing_sandbox {

bool RunHost(const std::string& program, const std::string& args) {
  std::string cmd = program + " " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(("\\\\?\\unix" + program).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    return false;
  // Wine starts a host program without a Windows process: hProcess stays null and hThread holds
  // a stray value, whose closing could close a handle of this program (its standard output).
  if (pi.hProcess) {
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  return true;
}

std::string UnixName(const std::string& path) {
  using WineGetUnixFileName = char*(CDECL*)(LPCWSTR);
  auto fn = reinterpret_cast<WineGetUnixFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return "";
  std::wstring wide(path.begin(), path.end());
  char* name = fn(wide.c_str());
  std::string result = name ? name : "";
  if (name) HeapFree(GetProcessHeap(), 0, name);
  return result;
}

std::string WindowsName(const std::string& name) {
  if (name.empty() || name[0] != '/') return name;
  using TDosName = WCHAR*(CDECL*)(const char*);
  auto convert = reinterpret_cast<TDosName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (!convert) return name;
  WCHAR* wide = convert(name.c_str());
  if (!wide) return name;
  std::string result = Utf8(wide);
  HeapFree(GetProcessHeap(), 0, wide);
  return result.empty() ? name : result;
}

namespace {

// Paths of any length.
bool WaitForAttributes(const std::string& path, bool present) {
  for (int i = 0; i < 500; ++i) {
    if ((fw::FileAttributes(path) != INVALID_FILE_ATTRIBUTES) == present) return true;
    Sleep(10);
  }
  return false;
}

bool Usable(const std::string& unixName) { return !unixName.empty() && unixName.find_first_of(" '\"") == std::string::npos; }

}  // namespace

bool MakeLink(const std::string& link, const std::string& target, bool directory) {
  RequireInSandbox(link);
  RequireInSandbox(target);
  using CreateLink = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
  auto create = reinterpret_cast<CreateLink>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
  if (create && create(link.c_str(), target.c_str(), directory ? 1 : 0) &&
      GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES)
    return true;
  std::string unixTarget = UnixName(target), unixLink = UnixName(link);
  if (!Usable(unixTarget) || !Usable(unixLink)) return false;
  return RunHost("/bin/ln", "-s " + unixTarget + " " + unixLink) && WaitForAttributes(link, true);
}

bool RemoveHostLink(const std::string& link) {
  RequireInSandbox(link);
  std::string unixLink = UnixName(link);
  if (Usable(unixLink)) {
    RunHost("/bin/rm", "-f " + unixLink);
    return WaitForAttributes(link, false);
  }
  // A real Windows link: the plain calls remove the link itself.
  DWORD attr = GetFileAttributesA(link.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES) return true;
  if (attr & FILE_ATTRIBUTE_DIRECTORY)
    RemoveDirectoryA(link.c_str());
  else
    DeleteFileA(link.c_str());
  return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace testing_sandbox
