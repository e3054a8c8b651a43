#include "skin/controls/web_label.h"

#include "framework/forms/application.h"

namespace skin {

namespace {
TkShellOpen shellOpen;
}  // namespace

void ShellOpen(const std::string& target, int showCommand, const char* verb, const std::string& directory,
               LPCITEMIDLIST item) {
  if (shellOpen) {
    shellOpen(target, showCommand);
    return;
  }
  const char* folder = directory.empty() ? nullptr : directory.c_str();
  if (!item) {
    ShellExecuteA(fw::Application->GetHandle(), verb, target.c_str(), nullptr, folder, showCommand);
    return;
  }
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = fw::Application->GetHandle();
  info.lpVerb = verb;
  info.lpIDList = const_cast<LPITEMIDLIST>(item);
  info.lpDirectory = folder;
  info.nShow = showCommand;
  ShellExecuteExA(&info);
}

namespace testing {
TkShellOpen SetShellOpen(TkShellOpen open) {
  TkShellOpen previous = std::move(shellOpen);
  shellOpen = std::move(open);
  return previous;
}
}  // namespace testing

TkWebLabel::TkWebLabel(fw::TComponent* owner)
    : TkCustomLabel(owner), FNormalFont(std::make_unique<fw::TFont>()), FHoverFont(std::make_unique<fw::TFont>()) {
  SetCursor(fw::crHandPoint);
}

void TkWebLabel::Loaded() {
  TkCustomLabel::Loaded();
  GetFont()->Assign(FNormalFont.get());
}

void TkWebLabel::SetFont(const fw::TFont* value) {
  GetFont()->Assign(value);
  FNormalFont->Assign(value);
  Invalidate();
}

fw::TFont* TkWebLabel::GetCurrentFont() { return FHover ? FHoverFont.get() : FNormalFont.get(); }

void TkWebLabel::WndProc(fw::TMessage& m) {
  switch (m.Msg) {
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      TkCustomLabel::WndProc(m);
      FHover = m.Msg == fw::CM_MOUSEENTER;
      Repaint();
      return;
    case WM_ERASEBKGND:
      return;
    case WM_LBUTTONDOWN:
      TkCustomLabel::WndProc(m);
      if (!FURL.empty()) ShellOpen(FURL, FShowMode);
      return;
    default:
      TkCustomLabel::WndProc(m);
  }
}

}  // namespace skin
