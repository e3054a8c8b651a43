#include "skin/controls/combo_edit.h"

#include "framework/forms/custom_form.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr int kComboEditCtrlType = 138;
constexpr int kEditButtonWidth = 22;
// The edit's frame: the button's client position lies this far inside the window.
constexpr int kEditFrame = 2;

fw::TShortCut ShortCutOf(WORD key, fw::TShiftState shift) {
  fw::TShortCut result = key;
  if (shift.Contains(fw::ssShift)) result |= fw::scShift;
  if (shift.Contains(fw::ssCtrl)) result |= fw::scCtrl;
  if (shift.Contains(fw::ssAlt)) result |= fw::scAlt;
  return result;
}

}  // namespace

TkCustomComboEdit::TkCustomComboEdit(fw::TComponent* owner)
    : TkMaskEdit(owner), FGlyphMode(std::make_unique<TkGlyphMode>(this)) {
  GetSkinData()->CtrlTypeIndex = kComboEditCtrlType;
  SetAutoSize(false);
  FButton = fw::New<TkEditButton>(this, this);
  FButton->SetParent(this);
  FButton->SetVisible(true);
  FButton->OnClick = fw::Bind(this, &TkCustomComboEdit::ButtonClick);
  SetHeight(21);
}

TkCustomComboEdit::~TkCustomComboEdit() = default;

void TkCustomComboEdit::BeforeDestruction() {
  FButton->OnClick = nullptr;
  TkMaskEdit::BeforeDestruction();
}

void TkCustomComboEdit::SetGlyphName(const std::string& name) {
  FGlyphName = name;
  FGlyphMode->SelectGlyph();
  FitEditRect();
}

void TkCustomComboEdit::SetShowButton(bool value) {
  FShowButton = value;
  Invalidate();
  FitEditRect();
}

void TkCustomComboEdit::SetDirectInput(bool value) {
  FDirectInput = value;
  fw::TCustomEdit::SetReadOnly(FReadOnly || !FDirectInput);
}

void TkCustomComboEdit::SetReadOnly(bool value) {
  FReadOnly = value;
  fw::TCustomEdit::SetReadOnly(FReadOnly || !FDirectInput);
}

int TkCustomComboEdit::ButtonWidth() const { return FButton && FButton->GetVisible() ? FButton->GetWidth() : 0; }

void TkCustomComboEdit::CreateParams(fw::TCreateParams& params) {
  TkMaskEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  params.Style |= FAlignment == fw::taRightJustify ? ES_RIGHT : FAlignment == fw::taCenter ? ES_CENTER : ES_LEFT;
}

void TkCustomComboEdit::CreateWnd() {
  TkMaskEdit::CreateWnd();
  FitEditRect();
}

void TkCustomComboEdit::Loaded() {
  TkMaskEdit::Loaded();
  FGlyphMode->SelectGlyph();
  FitEditRect();
}

void TkCustomComboEdit::FitEditRect() {
  if (!GetParent() || !HandleAllocated()) return;
  RECT r{0, 0, GetClientWidth() - ButtonWidth(), GetClientHeight() + 1};
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

fw::TRect TkCustomComboEdit::TextRect() const {
  return fw::TRect(3, 2, GetWidth() - 3 - ButtonWidth(), GetHeight() - 4);
}

unsigned TkCustomComboEdit::TextFlags() const {
  unsigned flags = TextFlagsForAlignment(this, FAlignment) | DT_NOPREFIX;
  if (GetPasswordChar()) flags |= DT_SINGLELINE | DT_VCENTER;
  return flags;
}

bool TkCustomComboEdit::IsActiveLook() const {
  return TkMaskEdit::IsActiveLook() || (FButton && FButton->GetSkinData()->CanPaint());
}

void TkCustomComboEdit::DrawButton(HDC dc) {
  if (!FButton->GetVisible() || FButton->GetWidth() <= 0) return;
  FButton->PrepareCache();
  fw::TBitmap* face = FButton->GetSkinData()->CacheBmp.get();
  BitBlt(dc, FButton->GetLeft() + kEditFrame, FButton->GetTop() + kEditFrame, face->GetWidth(), face->GetHeight(),
         face->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TkCustomComboEdit::PaintFromCache(HDC dc) {
  TkMaskEdit::PaintFromCache(dc);
  if (IsActiveLook() || GetSkinData()->Updating) return;
  HDC target = dc ? dc : GetWindowDC(GetHandle());
  DrawButton(target);
  if (!dc) ReleaseDC(GetHandle(), target);
}

void TkCustomComboEdit::CopyFrame(HDC target) {
  HDC cache = GetSkinData()->CacheBmp->GetCanvas()->GetHandle();
  const int w = GetWidth(), h = GetHeight();
  BitBlt(target, 0, 0, w, 2, cache, 0, 0, SRCCOPY);
  BitBlt(target, 0, 2, 2, h, cache, 0, 2, SRCCOPY);
  BitBlt(target, 2, h - 2, w - 2, 2, cache, 2, h - 2, SRCCOPY);
  BitBlt(target, w - 3, 2, 3, h - 2, cache, w - 3, 2, SRCCOPY);
  if (IsActiveLook()) DrawButton(target);
}

void TkCustomComboEdit::Invalidate() {
  TkMaskEdit::Invalidate();
  if (!FButton || FInvalidating) return;
  FInvalidating = true;
  if (!SkinLoading) FButton->GetSkinData()->BGChanged = true;
  if (FShowButton && !FButton->GetVisible()) {
    FButton->SetWidth(kEditButtonWidth);
    FButton->SetVisible(true);
  } else if (!FShowButton && FButton->GetVisible()) {
    FButton->SetVisible(false);
    FButton->SetWidth(0);
  }
  FButton->Invalidate();
  FInvalidating = false;
}

bool TkCustomComboEdit::PopupVisible() const { return FPopup && FPopup->GetVisible(); }

void TkCustomComboEdit::ShowPopup() {
  if (!FPopup || IsReadOnly() || FPopup->GetVisible()) return;
  FPopup->Hide();
  FPopup->SetWidth(FPopupWidth);
  const fw::TPoint p = ClientToScreen(fw::TPoint(0, 0));
  const int pw = FPopupWidth, ph = FPopup->GetHeight();
  const int screenLeft = GetSystemMetrics(SM_XVIRTUALSCREEN), screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  int y = p.Y + GetHeight();
  if (GetSystemMetrics(SM_CYVIRTUALSCREEN) < y + ph) y = p.Y - ph;
  int x;
  if (FPopupAlign == 0) {
    x = p.X + GetWidth() - pw;
    if (screenLeft > x) x -= pw - GetWidth();
  } else {
    x = p.X;
    if (screenWidth < x + pw) x = x + GetWidth() - pw;
  }
  if (x < screenLeft)
    x = screenLeft;
  else if (x + pw > screenWidth)
    x = screenWidth - pw;
  SetWindowPos(FPopup->GetHandle(), HWND_TOPMOST, x, y, pw, ph, SWP_SHOWWINDOW);
  FPopup->SetVisible(true);
}

void TkCustomComboEdit::HidePopup() {
  if (!PopupVisible()) return;
  if (auto* form = dynamic_cast<fw::TCustomForm*>(FPopup))
    form->Close();
  else
    FPopup->Hide();
}

void TkCustomComboEdit::SelectAllText() {
  if (!GetText().empty()) Perform(EM_SETSEL, 0, -1);
}

void TkCustomComboEdit::ButtonClick(fw::TObject*) {
  if (FReadOnly) return;
  RunButtonAction();
}

void TkCustomComboEdit::RunButtonAction() {
  if (OnButtonClick) OnButtonClick(this);
  if (PopupVisible()) {
    HidePopup();
    return;
  }
  if (CanFocus()) SetFocus();
  ShowPopup();
}

void TkCustomComboEdit::KeyDown(WORD& key, fw::TShiftState shift) {
  TkMaskEdit::KeyDown(key, shift);
  if (key && ShortCutOf(key, shift) == FClickKey && FGlyphMode->GlyphWidth() > 0) {
    ButtonClick(this);
    key = 0;
  }
}

void TkCustomComboEdit::KeyPress(char& key) {
  if (key == '\r' || key == '\x1b') {
    // The form's default and cancel buttons first.
    if (fw::TWinControl* form = GetTopParent(); form && form != this)
      form->Perform(fw::CM_DIALOGKEY, static_cast<unsigned char>(key == '\r' ? VK_RETURN : VK_ESCAPE), 0);
    if (key == '\r') {
      TkMaskEdit::KeyPress(key);
      key = 0;
      return;
    }
  }
  TkMaskEdit::KeyPress(key);
}

void TkCustomComboEdit::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (!SkinLoading) GetSkinData()->BGChanged = true;
  TkMaskEdit::MouseDown(button, shift, x, y);
  HidePopup();
}

void TkCustomComboEdit::Change() {
  if (!PopupVisible()) TkMaskEdit::Change();
}

void TkCustomComboEdit::WndProc(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_PASTE:
    case WM_CUT:
      if (!FDirectInput || IsReadOnly()) return;
      break;
    case fw::CM_FOCUSCHANGED:
      if (reinterpret_cast<fw::TWinControl*>(m.LParam) != this) HidePopup();
      break;
    case fw::CM_CANCELMODE: {
      auto* other = reinterpret_cast<fw::TControl*>(m.LParam);
      if (other != this && other != FPopup && other != FButton && !(FPopup && FPopup->ContainsControl(other)))
        HidePopup();
      break;
    }
    default:
      break;
  }
  const bool own =
      m.Msg == SM_SKINCMD && m.LParam == reinterpret_cast<LPARAM>(GetSkinData()->GetSkinManager());
  TkMaskEdit::WndProc(m);
  if (m.Msg == SM_SKINCMD) {
    switch (SkinCmdOf(m.WParam)) {
      case cmdNewSkin:
      case cmdRemoveSkin:
      case cmdRefresh:
        if (own) FitEditRect();
        break;
      case cmdGetParentBg:
        // The button lies inside the edit's frame.
        ParentBgAnswer.X = kEditFrame;
        ParentBgAnswer.Y = kEditFrame;
        ParentBgAnswer.Ready = true;
        break;
      case cmdIsUpdating:
        m.LParam = 0;
        break;
      default:
        break;
    }
    return;
  }
  // A multi-line edit window does not tell its parent of a text set from outside.
  if (m.Msg == WM_SETTEXT && m.Result && !GetControlState().Contains(fw::csCreating)) Change();
  if (m.Msg == WM_SETFOCUS && GetAutoSelect()) SelectAllText();
  // The native edit resets its rectangle when it is resized or takes a font.
  if (m.Msg == fw::CM_FONTCHANGED || m.Msg == WM_SIZE || m.Msg == WM_SETFONT) FitEditRect();
}

}  // namespace skin
