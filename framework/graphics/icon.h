// TIcon: owns an HICON (application, form and message-dialog icons, shell file icons).
#pragma once
#include <string>

#include "framework/graphics/graphic.h"

namespace fw {

class TIcon : public TGraphic {
  FW_CLASS(TIcon, TGraphic)
 public:
  TIcon();
  ~TIcon() override;

  // A copy of another icon's handle (CopyIcon); null empties this one.
  void Assign(const TPersistent* source) override;
  std::unique_ptr<TGraphic> Clone() const override;

  bool GetEmpty() const override { return FHandle == nullptr; }
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  bool GetTransparent() const override { return true; }

  HICON GetHandle() const { return FHandle; }
  // Takes ownership of the icon (it is destroyed with this object or when replaced).
  void SetHandle(HICON icon);
  // Gives up the handle without destroying it; the icon becomes empty.
  HICON ReleaseHandle();

  // Loads an icon resource of the module at its first image's own size.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  // Draws the icon at its own size at the top-left corner of rect.
  void Draw(TCanvas& canvas, const TRect& rect) override;

 protected:
  // An .ico file: the first image of the directory becomes the icon.
  void LoadFromData(const std::string& data) override;

 private:
  void LoadResource(HINSTANCE instance, LPCSTR name, const std::string& displayName);

  HICON FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};

}  // namespace fw
