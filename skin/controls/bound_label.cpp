#include "skin/controls/bound_label.h"

#include <algorithm>

#include "framework/controls/win_control.h"
#include "skin/controls/label.h"
#include "skin/engine/common_data.h"

namespace skin {

TkBoundLabel::TkBoundLabel(TkCommonData* skinData) : FFont(std::make_unique<fw::TFont>()), FSkinData(skinData) {}

TkBoundLabel::~TkBoundLabel() { fw::FreeAndNil(FLabel); }

void TkBoundLabel::SetActive(bool value) {
  if (!value) {
    fw::FreeAndNil(FLabel);
    FActive = false;
    return;
  }
  FActive = true;
  auto* control = dynamic_cast<fw::TWinControl*>(FSkinData->OwnerControl);
  if (FLabel || !control) return;
  FLabel = fw::New<TkEditLabel>(control, this);
  FLabel->SetVisible(false);
  FLabel->SetParent(control->GetParent());
  FLabel->SetFocusControl(control);
  UpdateAlignment();
  FLabel->SetName(control->GetName() + "Label");
  if (FCaption.empty()) FCaption = control->GetName();
  FLabel->SetCaption(FCaption);
  FLabel->SetVisible(control->GetVisible() || FLabel->GetComponentState().Contains(fw::csDesigning));
  FLabel->SetEnabled(control->GetEnabled());
  AlignLabel();
}

void TkBoundLabel::UpdateAlignment() {
  if (!FLabel) return;
  static const fw::TAlignment kAlignment[] = {fw::taRightJustify, fw::taLeftJustify, fw::taCenter, fw::taRightJustify};
  FLabel->SetAlignment(kAlignment[FLayout]);
}

void TkBoundLabel::AlignLabel() {
  if (!FLabel || !FLabel->GetVisible() || !FLabel->GetFocusControl()) return;
  const fw::TControl* c = FLabel->GetFocusControl();
  FLabel->SetAutoSize(true);
  const int w = FLabel->GetWidth(), h = FLabel->GetHeight();
  const int above = c->GetTop() - h - FIndent;
  switch (FLayout) {
    case sclLeft:
      FLabel->SetBounds(c->GetLeft() - w - 4 - FIndent, (c->GetHeight() - h) / 2 + c->GetTop() - 1, w, h);
      break;
    case sclTopLeft:
      FLabel->SetBounds(c->GetLeft(), above, w, h);
      break;
    case sclTopCenter:
      FLabel->SetBounds((c->GetWidth() - w) / 2 + c->GetLeft(), above, w, h);
      break;
    case sclTopRight:
      FLabel->SetBounds(c->GetLeft() + c->GetWidth() - w, above, w, h);
      break;
  }
  if (FMaxWidth != 0) {
    FLabel->SetAutoSize(false);
    FLabel->SetWidth(FMaxWidth);
    FLabel->SetWordWrap(true);
    FLabel->SetHeight(std::max(FLabel->GetHeight(), c->GetHeight()));
  }
}

void TkBoundLabel::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  if (FActive && FLabel) {
    FLabel->SetCaption(value);
    AlignLabel();
  }
}

void TkBoundLabel::SetIndent(int value) {
  if (value == FIndent) return;
  FIndent = value;
  if (FActive) AlignLabel();
}

void TkBoundLabel::SetMaxWidth(int value) {
  if (value == FMaxWidth) return;
  FMaxWidth = value;
  if (FActive) AlignLabel();
}

void TkBoundLabel::SetLayout(TkCaptionLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  UpdateAlignment();
  if (FActive) AlignLabel();
}

fw::TFont* TkBoundLabel::GetFont() const { return FLabel ? FLabel->GetFont() : FFont.get(); }

void TkBoundLabel::SetFont(const fw::TFont* value) {
  GetFont()->Assign(value);
  if (FLabel) {
    FLabel->SetParentFont(false);
    AlignLabel();
  }
}

}  // namespace skin
