#include "skin/controls/spin_edit.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <span>

#include "framework/graphics/canvas.h"
#include "framework/rtl/sys_utils.h"
#include "skin/engine/skin_manager.h"

namespace skin {

namespace {

constexpr unsigned kFirstDelay = 400, kRepeatDelay = 100;

bool Loading(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csLoading); }

bool IsDigit(char key) { return key >= '0' && key <= '9'; }

void MarkAndRepaint(TkTimerSpeedButton* button) {
  button->GetSkinData()->BGChanged = true;
  button->RepaintWithParent();
}

}  // namespace

// --- TkTimerSpeedButton ---

void TkTimerSpeedButton::Paint() {
  const fw::TComponentState state = GetComponentState();
  if (state.Contains(fw::csDestroying) || state.Contains(fw::csLoading)) return;
  const TkMaskFillScope fill(fw::ColorToRGB(fw::clWindow));
  TkSpeedButton::Paint();
  if ((FButtonState & tbFocusRect) && GetSkinData()->SkinIsActive()) {
    fw::TRect r(0, 0, GetWidth(), GetHeight());
    InflateRect(fw::AsRECT(r), -3, -3);
    if (FState == fw::bsDown) OffsetRect(fw::AsRECT(r), 1, 1);
    DrawFocusRect(GetCanvas()->GetHandle(), fw::AsRECT(r));
  }
}

void TkTimerSpeedButton::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  TkSpeedButton::MouseDown(button, shift, x, y);
  if (!(FButtonState & tbAllowTimer)) return;
  if (!FRepeatTimer) FRepeatTimer = fw::New<fw::TTimer>(this);
  FRepeatTimer->SetEnabled(false);
  FRepeatTimer->SetInterval(kFirstDelay);
  FRepeatTimer->SetOnTimer([this](fw::TObject*) { TimerExpired(); });
  FRepeatTimer->SetEnabled(true);
}

void TkTimerSpeedButton::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  TkSpeedButton::MouseUp(button, shift, x, y);
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TkTimerSpeedButton::TimerExpired() {
  FRepeatTimer->SetInterval(kRepeatDelay);
  if (!GetMouseCapture()) return;
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

// --- TkSpinButton ---

int SpinButtonWidth(int proposed) { return std::max(proposed, 15); }

std::unique_ptr<fw::TBitmap> SpinArrowGlyph(bool up, fw::TColor outline) {
  auto glyph = std::make_unique<fw::TBitmap>();
  glyph->SetSize(9, 5);
  fw::TCanvas* canvas = glyph->GetCanvas();
  canvas->GetBrush()->SetStyle(fw::bsSolid);
  canvas->GetBrush()->SetColor(fw::clWhite);
  canvas->FillRect(fw::TRect(0, 0, 9, 5));
  canvas->GetBrush()->SetColor(fw::clBlack);
  canvas->GetPen()->SetStyle(fw::psSolid);
  canvas->GetPen()->SetColor(outline);
  const fw::TPoint upPoints[] = {{1, 4}, {7, 4}, {4, 1}};
  const fw::TPoint downPoints[] = {{1, 1}, {7, 1}, {4, 4}};
  canvas->Polygon(up ? std::span<const fw::TPoint>(upPoints) : std::span<const fw::TPoint>(downPoints));
  return glyph;
}

TkSpinButton::TkSpinButton(fw::TComponent* owner)
    : fw::TWinControl(owner), FEdit(dynamic_cast<TkBaseSpinEdit*>(owner)) {
  FControlStyle.Exclude(fw::csAcceptsControls);
  FControlStyle.Exclude(fw::csSetCaption);
  FUpButton = MakeButton();
  FDownButton = MakeButton();
  FFocusedButton = FUpButton;
  UpdateArrows();
  SetWidth(18);
}

TkTimerSpeedButton* TkSpinButton::MakeButton() {
  auto* button = fw::New<TkTimerSpeedButton>(this);
  button->GetSkinData()->SetSkinSection("SPEEDBUTTON_SMALL");
  button->SetParent(this);
  button->OnClick = [this](fw::TObject* sender) {
    const fw::TNotifyEvent& handler = sender == FDownButton ? OnDownClick : OnUpClick;
    if (handler) handler(this);
  };
  button->OnMouseDown = [this, button](fw::TObject*, fw::TMouseButton pressed, fw::TShiftState, int, int) {
    if (pressed == fw::mbLeft) ButtonMouseDown(button);
  };
  button->SetFlat(false);
  button->SetTransparent(true);
  button->SetButtonState(TkTimerSpeedButton::tbAllowTimer);
  return button;
}

void TkSpinButton::ButtonMouseDown(TkTimerSpeedButton* button) {
  if (button != FFocusedButton && GetTabStop() && CanFocus()) {
    FFocusedButton->SetButtonState(FFocusedButton->GetButtonState() & ~TkTimerSpeedButton::tbFocusRect);
    FFocusedButton = button;
    if (Focused()) {
      button->SetButtonState(button->GetButtonState() | TkTimerSpeedButton::tbFocusRect);
      Invalidate();
    }
  }
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (GetTabStop() && !Focused() && CanFocus())
    SetFocus();
}

void TkSpinButton::SetFocusControl(fw::TWinControl* value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = value;
  if (value) value->FreeNotification(this);
}

void TkSpinButton::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TWinControl::Notification(component, operation);
  if (operation == fw::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TkSpinButton::SetUpGlyph(const fw::TBitmap* glyph) {
  FUpGlyphGiven = glyph != nullptr;
  if (glyph) FUpButton->SetGlyph(glyph);
  FArrowsDrawn = false;
  UpdateArrows();
}

void TkSpinButton::SetDownGlyph(const fw::TBitmap* glyph) {
  FDownGlyphGiven = glyph != nullptr;
  if (glyph) FDownButton->SetGlyph(glyph);
  FArrowsDrawn = false;
  UpdateArrows();
}

void TkSpinButton::UpdateArrows() {
  const fw::TColor colour = (FEdit ? FEdit->GetFont() : GetFont())->GetColor();
  // Arrows drawn in that colour already are what drawing them again would give.
  if (FArrowsDrawn && colour == FArrowsColour) return;
  FArrowsDrawn = true;
  FArrowsColour = colour;
  if (!FUpGlyphGiven) FUpButton->SetGlyph(SpinArrowGlyph(true, colour).get());
  if (!FDownGlyphGiven) FDownButton->SetGlyph(SpinArrowGlyph(false, colour).get());
  FUpButton->Invalidate();
  FDownButton->Invalidate();
}

void TkSpinButton::AdjustSize(int& width, int& height) {
  if (!FUpButton || !FDownButton || Loading(this) || height == 0) return;
  width = SpinButtonWidth(width);
  FUpButton->SetBounds(0, 0, width, height / 2);
  FDownButton->SetBounds(0, FUpButton->GetHeight(), width, height - FUpButton->GetHeight());
}

void TkSpinButton::SetBounds(int left, int top, int width, int height) {
  AdjustSize(width, height);
  fw::TWinControl::SetBounds(left, top, width, height);
}

void TkSpinButton::Loaded() {
  fw::TWinControl::Loaded();
  int w = GetWidth(), h = GetHeight();
  AdjustSize(w, h);
  if (FEdit) {
    TkSkinManager* manager = FEdit->GetSkinData()->GetSkinManager();
    FUpButton->GetSkinData()->SetSkinManager(manager);
    FDownButton->GetSkinData()->SetSkinManager(manager);
  }
}

void TkSpinButton::WndProc(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      return;
    case WM_SIZE: {
      int w = GetWidth(), h = GetHeight();
      AdjustSize(w, h);
      if (w != GetWidth() || h != GetHeight()) SetBounds(GetLeft(), GetTop(), w, h);
      m.Result = 0;
      return;
    }
    default:
      break;
  }
  fw::TWinControl::WndProc(m);
  if (m.Msg == SM_SKINCMD) {
    const int command = SkinCmdOf(m.WParam);
    if (command == cmdGetParentBg) {
      // The halves show the edit's cache behind them (the edit's frame is 2 pixels wide).
      ParentBgAnswer.Ready = false;
      if (FEdit && FEdit->GetSkinData()->CacheBmp) {
        MakeBgRef(ParentBgAnswer, FEdit->GetSkinData()->CacheBmp.get(), GetLeft() + 2, GetTop() + 2);
      }
    } else if (command == cmdIsUpdating) {
      m.LParam = 0;
    }
    return;
  }
  switch (m.Msg) {
    case fw::CM_ENABLEDCHANGED:
      FUpButton->SetEnabled(GetEnabled());
      FDownButton->SetEnabled(GetEnabled());
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const unsigned state = FFocusedButton->GetButtonState();
      FFocusedButton->SetButtonState(m.Msg == WM_SETFOCUS ? state | TkTimerSpeedButton::tbFocusRect
                                                          : state & ~TkTimerSpeedButton::tbFocusRect);
      FFocusedButton->Invalidate();
      break;
    }
    default:
      break;
  }
}

// --- TkBaseSpinEdit ---

bool SpinKeyAccepted(char key, bool inSet, bool editorEnabled) {
  const auto code = static_cast<unsigned char>(key);
  if (!inSet && (code >= 32 || code == 13)) return false;
  return editorEnabled || (code < 32 && code != 8);
}

TkBaseSpinEdit::TkBaseSpinEdit(fw::TComponent* owner) : TkEdit(owner) {
  FControlStyle.Exclude(fw::csSetCaption);
  FControlStyle.Include(fw::csAcceptsControls);
  FButton = fw::New<TkSpinButton>(this);
  FButton->SetVisible(false);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](fw::TObject* sender) { StepUp(sender); };
  FButton->OnDownClick = [this](fw::TObject* sender) { StepDown(sender); };
  FButton->SetVisible(true);
}

TkBaseSpinEdit::~TkBaseSpinEdit() { FButton = nullptr; }

bool TkBaseSpinEdit::AcceptsKey(char key) {
  const bool inSet = key == '+' || key == '-' || IsDigit(key) || key == fw::FormatSettings.DecimalSeparator;
  return SpinKeyAccepted(key, inSet, FEditorEnabled);
}

void TkBaseSpinEdit::KeyDown(WORD& key, fw::TShiftState shift) {
  if (key == VK_UP)
    StepUp(this);
  else if (key == VK_DOWN)
    StepDown(this);
  TkEdit::KeyDown(key, shift);
}

void TkBaseSpinEdit::KeyPress(char& key) {
  if (!AcceptsKey(key)) {
    key = 0;
    MessageBeep(0);
    return;
  }
  TkEdit::KeyPress(key);
}

void TkBaseSpinEdit::CreateParams(fw::TCreateParams& params) {
  TkEdit::CreateParams(params);
  // A multi-line edit, the only kind that takes a formatting rectangle (Enter is refused).
  params.Style = (params.Style & ~static_cast<DWORD>(WS_BORDER)) | ES_MULTILINE | WS_CLIPCHILDREN;
}

void TkBaseSpinEdit::AfterConstruction() {
  TkEdit::AfterConstruction();
  FButton->UpdateArrows();
}

void TkBaseSpinEdit::Loaded() {
  TkEdit::Loaded();
  // The arrows take the font colour the section gave the edit.
  FButton->UpdateArrows();
}

void TkBaseSpinEdit::CreateWnd() {
  TkEdit::CreateWnd();
  SetEditRect();
}

void TkBaseSpinEdit::SetEditRect() {
  if (!HandleAllocated() || !FButton) return;
  RECT r{0, 0, GetClientWidth() - FButton->GetWidth() - 2, GetClientHeight() + 1};
  SendMessageA(GetHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

int TkBaseSpinEdit::MinHeight() {
  HDC dc = GetDC(nullptr);
  TEXTMETRICA system{}, own{};
  GetTextMetricsA(dc, &system);
  HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
  GetTextMetricsA(dc, &own);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return own.tmHeight + std::min(system.tmHeight, own.tmHeight) / 4 + 4 * GetSystemMetrics(SM_CYBORDER) + 2;
}

void TkBaseSpinEdit::PlaceButton() {
  const int least = MinHeight();
  if (least > GetHeight()) {
    SetHeight(least);
    return;
  }
  if (FButton) FButton->SetBounds(GetWidth() - FButton->GetWidth() - 4, 0, FButton->GetWidth(), GetHeight() - 4);
  SetEditRect();
}

template <class Each>
void TkBaseSpinEdit::EachSpinButton(const Each& each) {
  if (!FButton) return;
  for (TkTimerSpeedButton* button : {FButton->GetUpButton(), FButton->GetDownButton()}) each(button);
}

void TkBaseSpinEdit::WndProc(fw::TMessage& m) {
  if ((m.Msg == WM_PASTE || m.Msg == WM_CUT) && (!FEditorEnabled || GetReadOnly())) return;
  if (m.Msg == SM_SKINCMD && SkinCmdOf(m.WParam) == cmdIsUpdating) {
    m.LParam = 0;
    return;
  }
  TkEdit::WndProc(m);
  if (!FButton || GetComponentState().Contains(fw::csDestroying)) return;
  switch (m.Msg) {
    case WM_SIZE:
      PlaceButton();
      break;
    case WM_SETFONT:
      SetEditRect();
      break;
    case WM_PAINT:
      EachSpinButton([](TkTimerSpeedButton* button) {
        SendCmdToControl(button, cmdStopAnimation);
        MarkAndRepaint(button);
      });
      break;
    case fw::CM_ENABLEDCHANGED:
      FButton->SetEnabled(GetEnabled());
      break;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      // Only the edit's own coming and going: its children's arrive here as well.
      if (m.LParam != 0 && m.LParam != reinterpret_cast<LPARAM>(this)) break;
      EachSpinButton([](TkTimerSpeedButton* button) {
        button->GetSkinData()->MouseAbove = false;
        SendCmdToControl(button, cmdStopAnimation);
        button->GetSkinData()->RepaintOwner();
      });
      break;
    default:
      break;
  }
  if (m.Msg != SM_SKINCMD) return;
  const int command = SkinCmdOf(m.WParam);
  if ((command == cmdNewSkin || command == cmdRemoveSkin || command == cmdRefresh) &&
      m.LParam == reinterpret_cast<LPARAM>(GetSkinData()->GetSkinManager())) {
    EachSpinButton([&m](TkTimerSpeedButton* button) { button->Perform(m.Msg, m.WParam, m.LParam); });
    FButton->UpdateArrows();
  }
}

// --- TkSpinEdit ---

int SpinTextValue(const std::string& text, int fallback) {
  const std::string trimmed = fw::Trim(text);
  if (trimmed.empty()) return fallback;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(trimmed.c_str(), &end, 10);
  if (*end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX) return fallback;
  return static_cast<int>(value);
}

int ClampSpinValue(int value, int minValue, int maxValue) {
  if (minValue == maxValue) return value;
  if (value < minValue) return minValue;
  if (value > maxValue) return maxValue;
  return value;
}

TkSpinEdit::TkSpinEdit(fw::TComponent* owner) : TkBaseSpinEdit(owner) { SetText("0"); }

int TkSpinEdit::GetValue() const { return SpinTextValue(GetText(), FMinValue); }

void TkSpinEdit::SetValue(int value) { SetText(fw::IntToStr(ClampSpinValue(value, FMinValue, FMaxValue))); }

bool TkSpinEdit::AcceptsKey(char key) { return SpinKeyAccepted(key, IsDigit(key), GetEditorEnabled()); }

void TkSpinEdit::Step(int delta) {
  if (GetReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(GetValue() + delta);
}

void TkSpinEdit::StepUp(fw::TObject*) { Step(FIncrement); }
void TkSpinEdit::StepDown(fw::TObject*) { Step(-FIncrement); }

void TkSpinEdit::WndProc(fw::TMessage& m) {
  TkBaseSpinEdit::WndProc(m);
  if (m.Msg == fw::CM_EXIT) {
    const int value = GetValue();
    if (ClampSpinValue(value, FMinValue, FMaxValue) != value) SetValue(value);
  } else if (m.Msg == fw::CM_MOUSEWHEEL) {
    // A read-only spin edit keeps its value under the wheel as under the buttons.
    if (!GetReadOnly()) SetValue(GetValue() + static_cast<short>(HIWORD(m.WParam)) / WHEEL_DELTA * FIncrement);
    m.Result = 1;
  }
}

}  // namespace skin
