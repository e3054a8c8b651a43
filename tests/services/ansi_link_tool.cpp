// An ordinary program for the shortcut tests: built without the program's manifest, it runs in
// the system's ANSI code page, as an installer or any program without that manifest does, and
// writes and reads links through the shell's link object as such a program would.
//   ansi_link_tool write-narrow LINK TARGET  the target set through IShellLinkA (in the ANSI code page)
//   ansi_link_tool write-wide LINK TARGET    the target set through IShellLinkW
//   ansi_link_tool read LINK OUT             writes the path the link's item ID list names into OUT
// OUT is written as UTF-16LE without a byte-order mark. The arguments are taken in UTF-16, whole.
// Exit codes: 0 done, 1 a call failed, 2 bad arguments, 3 the ANSI code page is not 1252 (the
// tests need a writer of that code page; nothing is done then).
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

namespace {

constexpr UINT kWriterCodePage = 1252;

std::string ToAnsi(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(size > 0 ? size : 1, '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
  return ansi;
}

bool WriteText(const std::wstring& file, const std::wstring& text) {
  HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  bool ok = WriteFile(out, text.data(), size, &written, nullptr) && written == size;
  return CloseHandle(out) && ok;
}

// The link object and its file interface, released at the end.
struct TLink {
  IShellLinkW* Wide = nullptr;
  IShellLinkA* Narrow = nullptr;
  IPersistFile* File = nullptr;
  TLink() {
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&Wide))))
      return;
    Wide->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(&Narrow));
    Wide->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&File));
  }
  ~TLink() {
    if (File) File->Release();
    if (Narrow) Narrow->Release();
    if (Wide) Wide->Release();
  }
  bool Usable() const { return Wide && Narrow && File; }
};

int Write(const std::wstring& link, const std::wstring& target, bool narrow) {
  TLink object;
  if (!object.Usable()) return 1;
  HRESULT hr = narrow ? object.Narrow->SetPath(ToAnsi(target).c_str()) : object.Wide->SetPath(target.c_str());
  if (FAILED(hr)) return 1;
  return object.File->Save(link.c_str(), TRUE) == S_OK ? 0 : 1;
}

// The ID list, not GetPath: Wine's GetPath gives the path text the link keeps in its writer's
// ANSI code page, which names another file in a reader of another code page.
int Read(const std::wstring& link, const std::wstring& out) {
  TLink object;
  if (!object.Usable() || object.File->Load(link.c_str(), STGM_READ) != S_OK) return 1;
  LPITEMIDLIST items = nullptr;
  wchar_t path[MAX_PATH + 1] = {};
  if (object.Wide->GetIDList(&items) != S_OK || !items) return 1;
  BOOL named = SHGetPathFromIDListW(items, path);
  CoTaskMemFree(items);
  return named && WriteText(out, path) ? 0 : 1;
}

}  // namespace

int main() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args || count != 4) return 2;
  if (GetACP() != kWriterCodePage) return 3;
  const std::wstring command = args[1], link = args[2], third = args[3];
  LocalFree(args);
  if (FAILED(CoInitialize(nullptr))) return 1;
  int result = 2;
  if (command == L"write-narrow" || command == L"write-wide")
    result = Write(link, third, command == L"write-narrow");
  else if (command == L"read")
    result = Read(link, third);
  CoUninitialize();
  return result;
}
