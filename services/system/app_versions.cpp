#include "services/system/app_versions.h"

#include "framework/rtl/sys_utils.h"
#include "framework/win.h"
#include "services/system/file_version_info.h"
#include "services/system/module_utils.h"
#include "services/system/registry_utils.h"

namespace svc {
namespace {

std::string MachineText(const char* key, const char* name) {
  return ReadRegistryStringDefault(HKEY_LOCAL_MACHINE, key, name, "");
}

std::string FileVersionText(const std::string& fileName) {
  VS_FIXEDFILEINFO info{};
  if (!FixedFileVersion(fileName, info)) return "";
  return std::to_string(HIWORD(info.dwFileVersionMS)) + "." + std::to_string(LOWORD(info.dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info.dwFileVersionLS)) + "." + std::to_string(LOWORD(info.dwFileVersionLS));
}

std::string DatabaseEnginePath() {
  HKEY software = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &software) != ERROR_SUCCESS) return "";
  std::string path;
  char name[256];
  for (DWORD i = 0; path.empty(); ++i) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(software, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    path = ReadRegistryStringDefault(software, std::string(name) + "\\Database Engine", "DLLPATH", "");
  }
  RegCloseKey(software);
  return path;
}

// The OpenGL functions, bound from opengl32 and glu32 when first asked for.
struct TOpenGL {
  HGLRC(WINAPI* CreateContext)(HDC) = nullptr;
  BOOL(WINAPI* MakeCurrent)(HDC, HGLRC) = nullptr;
  BOOL(WINAPI* DeleteContext)(HGLRC) = nullptr;
  const unsigned char*(WINAPI* GetString)(unsigned) = nullptr;
  unsigned(WINAPI* GetError)() = nullptr;
  const unsigned char*(WINAPI* ErrorString)(unsigned) = nullptr;

  bool Bind() {
    static HMODULE gl = nullptr, glu = nullptr;
    if (!LoadModuleOnce(gl, "opengl32.dll")) return false;
    LoadModuleOnce(glu, "glu32.dll");
    CreateContext = reinterpret_cast<decltype(CreateContext)>(ModuleFunction(gl, "wglCreateContext"));
    MakeCurrent = reinterpret_cast<decltype(MakeCurrent)>(ModuleFunction(gl, "wglMakeCurrent"));
    DeleteContext = reinterpret_cast<decltype(DeleteContext)>(ModuleFunction(gl, "wglDeleteContext"));
    GetString = reinterpret_cast<decltype(GetString)>(ModuleFunction(gl, "glGetString"));
    GetError = reinterpret_cast<decltype(GetError)>(ModuleFunction(gl, "glGetError"));
    ErrorString = reinterpret_cast<decltype(ErrorString)>(ModuleFunction(glu, "gluErrorString"));
    return CreateContext && MakeCurrent && DeleteContext && GetString && GetError;
  }
  std::string LastError() {
    const unsigned error = GetError();
    const unsigned char* text = ErrorString ? ErrorString(error) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : "glGetString";
  }
};

std::string Failed(const std::string& what) { return fw::Format("GetOpenGLVersion: %s failed", what); }

std::string ContextVersion(TOpenGL& gl, HDC dc) {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  const int index = ChoosePixelFormat(dc, &format);
  if (index == 0) return Failed("ChoosePixelFormat");
  if (!SetPixelFormat(dc, index, &format)) return Failed("SetPixelFormat");
  HGLRC context = gl.CreateContext(dc);
  if (!context) return Failed("wglCreateContext");
  std::string result;
  if (!gl.MakeCurrent(dc, context)) {
    result = Failed("wglMakeCurrent");
  } else {
    const unsigned char* version = gl.GetString(0x1F02 /* GL_VERSION */);
    result = version ? reinterpret_cast<const char*>(version) : Failed(gl.LastError());
    gl.MakeCurrent(nullptr, nullptr);
  }
  gl.DeleteContext(context);
  return result;
}

}  // namespace

std::string TDsAppVersions::GetDirectX() const { return MachineText("SOFTWARE\\Microsoft\\DirectX", "Version"); }
std::string TDsAppVersions::GetADO() const { return MachineText("SOFTWARE\\Microsoft\\DataAccess", "Version"); }
std::string TDsAppVersions::GetInternetExplorer() const {
  return MachineText("SOFTWARE\\Microsoft\\Internet Explorer", "Version");
}

std::string TDsAppVersions::GetBDE() const {
  std::string folder = DatabaseEnginePath();
  if (folder.empty()) return "";
  if (folder.back() != '\\') folder += '\\';
  const std::string version = FileVersionText(folder + "idapi32.dll");
  return version.empty() ? FileVersionText(folder + "bdeadmin.exe") : version;
}

std::string TDsAppVersions::GetOpenGL() const {
  TOpenGL gl;
  if (!gl.Bind()) return Failed("opengl32.dll");
  // A window of its own: a pixel format, once set, stays with the window.
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) return Failed("CreateWindowEx");
  HDC dc = GetDC(window);
  const std::string result = dc ? ContextVersion(gl, dc) : Failed("GetDC");
  if (dc) ReleaseDC(window, dc);
  DestroyWindow(window);
  return result;
}

}  // namespace svc
