#include "skin/engine/common_data.h"

#include <uxtheme.h>

#include "framework/controls/win_control.h"
#include "framework/rtl/seams.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/page_control.h"
#include "skin/engine/control_paint.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"

namespace skin {

namespace {

bool Destroying(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csDestroying); }
bool Loading(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csLoading); }
bool Designing(const fw::TComponent* c) { return c->GetComponentState().Contains(fw::csDesigning); }
bool Destroying(const TkSkinManager* m) { return m->GetComponentState().Contains(fw::csDestroying); }

struct TkSectionByType {
  const char* Section;
  int Types[18];
};

// The default section of each control-type index; a list ends at 0, a negative number opens a
// range up to the next one.
const TkSectionByType kDefaultSections[] = {
    {"EDIT", {2, -8, 10, 41, 76, 78, 83, 84, 96, 97, 131, 140, 227}},
    {"COMBOBOX", {11, -18, 81, 82}},
    {"BAR", {19}},
    {"BARTITLE", {20}},
    {"CHECKBOX", {32}},
    {"RADIOBUTTON", {33}},
    {"PANEL", {51, 59, 68, 73}},
    {"PANEL_LOW", {52, 58}},
    {"TOOLBAR", {53, 54, 60}},
    {"DRAGBAR", {56}},
    {"TABSHEET", {57}},
    {"GROUPBOX", {74, 226}},
    {"SPLITTER", {75}},
    {"SPEEDBUTTON", {92, 95}},
    {"BUTTON", {93, 94}},
    {"TOOLBUTTON", {98}},
    {"PAGECONTROL", {141}},
    {"TABCONTROL", {143}},
    {"STATUSBAR", {151}},
    {"GAUGE", {161}},
    {"TRACKBAR", {165}},
};

const char* SectionForType(int type) {
  for (const auto& entry : kDefaultSections)
    for (int i = 0; i < 18 && entry.Types[i] != 0; ++i) {
      const int first = entry.Types[i];
      const int last = i + 1 < 18 && entry.Types[i + 1] < 0 ? -entry.Types[i + 1] : first;
      if (first > 0 && type >= first && type <= last) return entry.Section;
    }
  return nullptr;
}

bool SkinAnnounced(const TkSkinManager* manager) {
  return manager && manager->GetSkinData() && manager->GetSkinData()->SkinReady;
}


// Each channel (T * (P - C) + C * 256) shr 8, clamped: T weighs the parent's colour out of 256.
fw::TColor MixByTransparency(fw::TColor parent, fw::TColor own, int t) {
  fw::TColor result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int p = (parent >> shift) & 0xFF, c = (own >> shift) & 0xFF;
    result |= ClampToByte((t * (p - c) + c * 256) >> 8) << shift;
  }
  return result;
}

// The command-21 answer.
void AnswerColour(TkCommonData* d) {
  fw::TControl* owner = d->OwnerControl;
  if (!d->SkinIsActive()) {
    if (owner) QueriedColor = fw::ColorToRGB(owner->GetColor());
    return;
  }
  const TkGeneralData& section = *d->Section();
  if (section.Transparency == 0) {
    QueriedColor = section.Color;
    return;
  }
  fw::TColor parentColour = fw::clFuchsia;
  if (owner && owner->GetParent()) {
    QueriedColor = fw::clFuchsia;
    SendMessageA(owner->GetParent()->GetHandle(), SM_SKINCMD, SkinCmdWParam(cmdGetColor), 0);
    parentColour = QueriedColor == fw::clFuchsia ? fw::ColorToRGB(owner->GetParent()->GetColor()) : QueriedColor;
  } else if (owner) {
    parentColour = fw::ColorToRGB(owner->GetColor());
  }
  QueriedColor = section.Transparency == 100 ? parentColour
                                             : MixByTransparency(parentColour, section.Color, section.Transparency);
}

// Command 20 with the low word to every child not being destroyed (and, when skipAnchored, not
// anchored right or bottom): by message or by Perform.
void TellChildrenBackgroundChanged(fw::TWinControl* owner, int lowWord, bool skipAnchored) {
  for (int i = 0; i < owner->GetControlCount(); ++i) {
    fw::TControl* child = owner->GetControls(i);
    if (Destroying(child)) continue;
    if (skipAnchored) {
      if (child->GetAnchors().Contains(fw::akRight) || child->GetAnchors().Contains(fw::akBottom)) continue;
      child->Perform(SM_SKINCMD, SkinCmdWParam(cmdBackgroundChanged, lowWord), 0);
    } else {
      SendCmdToControl(child, cmdBackgroundChanged);
    }
  }
}

}  // namespace

bool ExcludedFromMouseOver(int type) {
  return (type >= 51 && type <= 74) || type == 110 || (type >= 141 && type <= 161);
}

TkCommonData::TkCommonData(fw::TObject* owner, bool createCacheBmp)
    : OwnerControl(dynamic_cast<fw::TControl*>(owner)), OwnerObject(owner) {
  if (createCacheBmp) {
    CacheBmp = std::make_unique<fw::TBitmap>();
    CacheBmp->SetPixelFormat(fw::pf24bit);
  }
}

TkCommonData::~TkCommonData() {
  SkinIndex = Texture = HotTexture = -1;
  OwnerControl = nullptr;
  OwnerObject = nullptr;
  FSkinManager = nullptr;
}

TkSkinManager* TkCommonData::GetSkinManager() const { return FSkinManager ? FSkinManager : DefaultManager(); }

const TkGeneralData* TkCommonData::Section() const {
  const TkSkinManager* m = GetSkinManager();
  if (!m || SkinIndex < 0 || SkinIndex >= static_cast<int>(m->GetSections().size())) return nullptr;
  return &m->GetSections()[SkinIndex];
}

void TkCommonData::ApplyEditColours() {
  const TkGeneralData* section = Section();
  if (!section || !OwnerControl) return;
  if (!FCustomColor && OwnerControl->GetColor() != section->Color) OwnerControl->SetColor(section->Color);
  if (!FCustomFont && OwnerControl->GetFont()->GetColor() != section->FontColor[0])
    OwnerControl->GetFont()->SetColor(section->FontColor[0]);
}

void TkCommonData::Loaded() {
  DefaultSkinSection();
  if (!SkinIsActive() && fw::VisualThemesInUse() && OwnerControl)
    OwnerControl->SetControlStyle(OwnerControl->GetControlStyle() - fw::csParentBackground);
  if (SkinIsActive() && OwnerControl && OwnerControl->GetParent() &&
      (dynamic_cast<fw::TCustomEdit*>(OwnerControl) || CtrlTypeIndex == 97) && !Loading(OwnerControl))
    ApplyEditColours();
}

void TkCommonData::DefaultSkinSection() {
  if (!FSkinSection.empty()) {
    UpdateIndexes();
    return;
  }
  const char* section = SectionForType(CtrlTypeIndex);
  SetSkinSection(section ? std::string(section) : (OwnerObject ? OwnerObject->ClassName() : std::string()));
}

void TkCommonData::UpdateIndexes() {
  BGChanged = true;
  TkSkinManager* m = GetSkinManager();
  SkinIndex = m ? m->GetSkinIndex(FSkinSection) : -1;
  if (SkinIndex == -1) {
    Texture = HotTexture = -1;
    return;
  }
  BorderIndex = m->GetMaskIndex(SkinIndex, FSkinSection, "BORDERSMASK");
  Texture = m->GetTextureIndex(SkinIndex, FSkinSection, "PATTERN");
  HotTexture = m->GetTextureIndex(SkinIndex, FSkinSection, "HOTPATTERN");
}

void TkCommonData::TellOwner(TkSkinManager* manager) {
  const bool served = manager && !manager->GetSections().empty() && manager->IsValidSkinIndex(SkinIndex);
  fw::TMessage message{SM_SKINCMD, SkinCmdWParam(served ? cmdRefresh : cmdRemoveSkin),
                       reinterpret_cast<LPARAM>(manager), 0};
  if (auto* provider = dynamic_cast<TkSkinProvider*>(OwnerObject)) {
    provider->DesignTimeCommand(message);
  } else if (OwnerControl && OwnerControl->GetParent() && !Destroying(OwnerControl)) {
    OwnerControl->Perform(message);
  }
}

void TkCommonData::SetSkinManager(TkSkinManager* value) {
  if (value == FSkinManager) return;
  FSkinManager = value == DefaultManager() ? nullptr : value;
  if (OwnerControl && Loading(OwnerControl)) return;
  if (!value || value->GetSections().empty())
    SkinIndex = -1;
  else
    UpdateIndexes();
  TellOwner(value);
}

void TkCommonData::SetSkinSection(const std::string& value) {
  if (value == FSkinSection) return;
  FSkinSection = value.empty() ? "UNKNOWN" : value;
  TkSkinManager* m = GetSkinManager();
  if (!m || m->GetSections().empty())
    SkinIndex = -1;
  else
    UpdateIndexes();
  if (OwnerControl && OwnerControl->GetParent() && !Destroying(OwnerControl)) {
    fw::TMessage message{SM_SKINCMD, SkinCmdWParam(m && m->IsValidSkinIndex(SkinIndex) ? cmdRefresh : cmdRemoveSkin),
                         reinterpret_cast<LPARAM>(m), 0};
    OwnerControl->Perform(message);
  }
}

void TkCommonData::SetCustomColor(bool value) {
  if (value == FCustomColor) return;
  FCustomColor = value;
  if (SkinIsActive() && dynamic_cast<fw::TCustomEdit*>(OwnerControl) && !Loading(OwnerControl)) ApplyEditColours();
  RepaintOwner();
}

void TkCommonData::SetCustomFont(bool value) {
  if (value == FCustomFont) return;
  FCustomFont = value;
  RepaintOwner();
}

bool TkCommonData::SkinIsActive(bool checkActive) const {
  if (!OwnerObject) return false;
  if (auto* component = dynamic_cast<fw::TComponent*>(OwnerObject); component && Destroying(component)) return false;
  TkSkinManager* m = GetSkinManager();
  if (!m || Destroying(m)) return false;
  if (checkActive && !SkinAnnounced(m)) return false;
  return m->IsValidSkinIndex(SkinIndex);
}

bool TkCommonData::GetUpdating() const {
  if (!SkinAnnounced(GetSkinManager())) return true;
  if (!OwnerControl || Destroying(OwnerControl)) return Updating;
  if (Updating || !OwnerControl->GetParent()) return true;
  try {
    return ControlAnswersCmd(OwnerControl->GetParent(), cmdIsUpdating);
  } catch (...) {
    return Updating;
  }
}

void TkCommonData::RepaintOwner() {
  if (!OwnerControl || Destroying(OwnerControl) || Loading(OwnerControl)) return;
  BGChanged = true;
  if (ControlIsReady(OwnerControl)) OwnerControl->Repaint();
}

void TkCommonData::InitCacheBmp() {
  if (!CacheBmp) CacheBmp = std::make_unique<fw::TBitmap>();
  if (CacheBmp->GetPixelFormat() != fw::pf24bit) CacheBmp->SetPixelFormat(fw::pf24bit);
  if (OwnerControl &&
      (CacheBmp->GetWidth() != OwnerControl->GetWidth() || CacheBmp->GetHeight() != OwnerControl->GetHeight()))
    CacheBmp->SetSize(OwnerControl->GetWidth(), OwnerControl->GetHeight());
}

void TkCommonData::GetParentBG(TkBgRef& ref) const {
  ref = TkBgRef();
  ParentBgAnswer.Ready = false;
  if (!OwnerControl || !OwnerControl->GetParent()) return;
  try {
    SendCmdToControl(OwnerControl->GetParent(), cmdGetParentBg);
  } catch (...) {
  }
  ref = ParentBgAnswer;
}

bool TkCommonData::CanPaint() const {
  if (!OwnerControl || Destroying(OwnerControl) || !OwnerControl->GetEnabled() || Designing(OwnerControl)) return false;
  if (FocusSet) return true;
  if (auto* windowed = dynamic_cast<fw::TWinControl*>(OwnerControl); windowed && windowed->Focused()) return true;
  return MouseAbove && !ExcludedFromMouseOver(CtrlTypeIndex);
}

bool TkCommonData::HasTransparency() const {
  const TkGeneralData* section = Section();
  return section && section->Transparency > 0;
}

bool TkCommonData::NeedsParentBackground() const {
  // A tab sheet shows its page control's background.
  if (Cmd9Flag || !SkinIsActive() || !OwnerControl || dynamic_cast<const TkTabSheet*>(OwnerControl)) return true;
  if (OwnerControl->GetControlState().Contains(fw::csCreating) || !OwnerControl->GetVisible()) return true;
  const TkGeneralData* section = Section();
  if (!section) return false;
  const bool shows = !OwnerControl->GetEnabled() || section->Transparency > 0;
  fw::TWinControl* parent = OwnerControl->GetParent();
  if (shows && parent && parent->HandleAllocated()) return ControlAnswersCmd(parent, cmdIsTextured);
  return shows;
}

bool TkCommonData::ParentIsTextured() const {
  fw::TWinControl* parent = OwnerControl ? OwnerControl->GetParent() : nullptr;
  return parent && parent->HandleAllocated() && ControlAnswersCmd(parent, cmdIsTextured);
}

bool CommonWndProc(fw::TMessage& message, TkCommonData* d) {
  if (message.Msg != SM_SKINCMD || !d) return false;
  const int command = SkinCmdOf(message.WParam);
  const int argument = LOWORD(message.WParam);
  auto* sender = reinterpret_cast<TkSkinManager*>(message.LParam);
  auto* edit = dynamic_cast<fw::TCustomEdit*>(d->OwnerControl);
  switch (command) {
    case cmdNewSkin:
      if (sender == d->GetSkinManager()) {
        d->Updating = true;
        d->UpdateIndexes();
      }
      return false;
    case cmdRemoveSkin:
      if (sender != d->GetSkinManager()) return false;
      if (sender && Destroying(sender)) d->DropManager();
      d->BorderIndex = d->SkinIndex = d->Texture = d->HotTexture = -1;
      d->Updating = true;
      if (d->CacheBmp) d->CacheBmp->SetSize(0, 0);
      if (edit) {
        if (!d->GetCustomColor()) edit->SetColor(fw::clWindow);
        if (!d->GetCustomFont()) edit->GetFont()->SetColor(fw::clWindowText);
      }
      return false;
    case cmdRefresh:
      if (sender != d->GetSkinManager()) return false;
      d->BGChanged = true;
      d->Updating = false;
      if (d->SkinIsActive() && edit) {
        if (!d->GetCustomColor()) edit->SetColor(d->Section()->Color);
        if (!d->GetCustomFont()) edit->GetFont()->SetColor(d->Section()->FontColor[0]);
      }
      return false;
    case cmdGetParentBg:
      ParentBgAnswer.Ready = false;
      if (d->CacheBmp) MakeBgRef(ParentBgAnswer, d->CacheBmp.get(), 0, 0);
      return false;
    case cmdIsSkinned:
      message.LParam = 1;
      return true;
    case cmdSetUpdating:
      d->Updating = argument == 1;
      return false;
    case cmdSetCmd9Flag:
      d->Cmd9Flag = argument == 1;
      return false;
    case cmdIsUpdating:
      message.LParam = d->BGChanged || d->GetUpdating() ? 1 : 0;
      return true;
    case cmdIsPartlyHidden:
      message.LParam = d->HalfVisible ? 1 : 0;
      return true;
    case cmdPartlyHidden:
      d->HalfVisible = true;
      return false;
    case cmdGraphicRepaints:
      d->Cmd15Value = message.LParam;
      return false;
    case cmdIsTextured: {
      const TkGeneralData* section = d->SkinIndex >= 0 ? d->Section() : nullptr;
      if (!section) return false;
      message.LParam = section->GradientPercent + section->ImagePercent > 0 || d->NeedsParentBackground() ? 1 : 0;
      return true;
    }
    case cmdBackgroundChanged: {
      const bool needs = d->NeedsParentBackground();
      d->BGChanged = d->BGChanged || needs;
      if (auto* owner = dynamic_cast<fw::TWinControl*>(d->OwnerControl)) {
        if (argument == 1 && owner->HandleAllocated())
          RedrawWindow(owner->GetHandleNoCreate(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
        if (needs) TellChildrenBackgroundChanged(owner, 0, false);
      }
      return false;
    }
    case cmdGetColor:
      AnswerColour(d);
      return true;
    default:
      return false;
  }
}

bool CommonMessage(fw::TMessage& message, TkCommonData* d) {
  if (message.Msg == SM_SKINCMD) return CommonWndProc(message, d);
  fw::TControl* owner = d->OwnerControl;
  auto* windowed = dynamic_cast<fw::TWinControl*>(owner);
  switch (message.Msg) {
    case WM_MOVE:
      if (d->NeedsParentBackground() && owner)
        owner->Perform(SM_SKINCMD, SkinCmdWParam(cmdBackgroundChanged, 1), 0);
      return false;
    case WM_SIZE:
      if (!d->SkinIsActive()) return false;
      d->BGChanged = true;
      if (windowed && d->Section() && d->Section()->GradientPercent > 0) TellChildrenBackgroundChanged(windowed, 1, true);
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (windowed && windowed->CanFocus() && windowed->GetTabStop()) {
        d->BGChanged = true;
        d->FocusSet = message.Msg == WM_SETFOCUS;
      }
      return false;
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      if (owner && !Designing(owner) && !ExcludedFromMouseOver(d->CtrlTypeIndex))
        d->MouseAbove = message.Msg == fw::CM_MOUSEENTER;
      return false;
    case fw::CM_ENABLEDCHANGED:
    case WM_FONTCHANGE:
      d->MouseAbove = d->FocusSet = false;
      return false;
    case WM_UPDATEUISTATE:
      if (d->SkinIsActive()) return true;
      if (fw::VisualThemesInUse() && windowed && windowed->HandleAllocated()) ResetTheme(windowed->GetHandleNoCreate());
      return false;
    default:
      return false;
  }
}

void CopyWinControlCache(fw::TWinControl* control, TkCommonData* d, const fw::TRect& source, const fw::TRect& clip,
                         HDC dc, bool repaintBorders) {
  if (repaintBorders) PaintSkinBordersAll(d, 0);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
  for (int i = 0; i < control->GetControlCount(); ++i) {
    fw::TControl* child = control->GetControls(i);
    if (!child->GetVisible()) continue;
    if (!(child->GetLeft() < clip.Right && child->GetTop() < clip.Bottom &&
          child->GetLeft() + child->GetWidth() > clip.Left && child->GetTop() + child->GetHeight() > clip.Top))
      continue;
    if (dynamic_cast<fw::TWinControl*>(child) && !child->GetControlStyle().Contains(fw::csOpaque) && !Designing(control))
      continue;
    ExcludeClipRect(dc, child->GetLeft() + source.Right, child->GetTop() + source.Bottom,
                    child->GetLeft() + child->GetWidth() + source.Right, child->GetTop() + child->GetHeight() + source.Bottom);
  }
  if (d->CacheBmp)
    BitBlt(dc, clip.Left, clip.Top, clip.Width(), clip.Height(), d->CacheBmp->GetCanvas()->GetHandle(), source.Left,
           source.Top, SRCCOPY);
  RestoreDC(dc, saved);
}

void ResetTheme(HWND wnd) {
  using SetWindowThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
  static auto setWindowTheme =
      uxtheme ? reinterpret_cast<SetWindowThemeProc>(GetProcAddress(uxtheme, "SetWindowTheme")) : nullptr;
  if (setWindowTheme) setWindowTheme(wnd, nullptr, nullptr);
}

}  // namespace skin
