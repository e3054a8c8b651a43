#include "framework/graphics/icon.h"

#include <cstdint>
#include <cstring>

#include "framework/graphics/canvas.h"

namespace fw {

TIcon::TIcon() = default;

TIcon::~TIcon() {
  if (FHandle) ::DestroyIcon(FHandle);
}

void TIcon::SetHandle(HICON icon) {
  if (icon == FHandle) return;
  HICON old = FHandle;
  FHandle = icon;
  FWidth = FHeight = 0;
  ICONINFO info{};
  if (icon && ::GetIconInfo(icon, &info)) {
    BITMAP bm{};
    HBITMAP measured = info.hbmColor ? info.hbmColor : info.hbmMask;
    if (::GetObjectA(measured, sizeof(bm), &bm)) {
      FWidth = bm.bmWidth;
      // A monochrome icon keeps its AND and XOR masks one above the other.
      FHeight = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    }
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
  }
  if (old) ::DestroyIcon(old);
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON icon = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  Changed();
  return icon;
}

void TIcon::Assign(const TPersistent* source) {
  if (!source) {
    SetHandle(nullptr);
    return;
  }
  auto* from = dynamic_cast<const TIcon*>(source);
  if (!from) {
    TGraphic::Assign(source);
    return;
  }
  if (from == this) return;
  SetHandle(from->FHandle ? ::CopyIcon(from->FHandle) : nullptr);
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
  auto copy = std::make_unique<TIcon>();
  copy->Assign(this);
  return copy;
}

void TIcon::LoadResource(HINSTANCE instance, LPCSTR name, const std::string& displayName) {
  HICON icon = static_cast<HICON>(::LoadImageA(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
  if (!icon) RaiseInvalidGraphic("Resource " + displayName + " not found");
  SetHandle(icon);
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  LoadResource(instance, name.c_str(), name);
}

void TIcon::LoadFromResourceID(HINSTANCE instance, int id) {
  LoadResource(instance, MAKEINTRESOURCEA(id), std::to_string(id));
}

void TIcon::LoadFromData(const std::string& data) {
  // ICONDIR: reserved 0, type 1, count; then 16-byte entries with size and offset of each image.
  const auto* p = reinterpret_cast<const unsigned char*>(data.data());
  auto word = [&](size_t at) { return static_cast<unsigned>(p[at] | (p[at + 1] << 8)); };
  auto dword = [&](size_t at) {
    uint32_t v;
    std::memcpy(&v, p + at, 4);
    return v;
  };
  if (data.size() < 6 + 16 || word(0) != 0 || word(2) != 1 || word(4) == 0)
    RaiseInvalidGraphic("Icon image is not valid");
  int width = p[6] ? p[6] : 256;
  int height = p[7] ? p[7] : 256;
  uint32_t size = dword(6 + 8), offset = dword(6 + 12);
  if (offset > data.size() || size > data.size() - offset)
    RaiseInvalidGraphic("Icon image is not valid");
  HICON icon = ::CreateIconFromResourceEx(const_cast<unsigned char*>(p + offset), size, TRUE,
                                          0x00030000, width, height, LR_DEFAULTCOLOR);
  if (!icon) RaiseInvalidGraphic("Icon image is not valid");
  SetHandle(icon);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) {
  if (!FHandle) return;
  ::DrawIconEx(canvas.GetHandle(), rect.Left, rect.Top, FHandle, 0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace fw
