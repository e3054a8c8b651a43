// TkBoundLabel: the caption label an edit-like control can carry beside it, placed to its left
// or above it by Layout and kept there when the control moves.
#pragma once
#include <memory>
#include <string>

#include "framework/core/object.h"
#include "framework/graphics/font.h"

namespace skin {

class TkCommonData;
class TkEditLabel;

enum TkCaptionLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };

class TkBoundLabel : public fw::TPersistent {
  FW_CLASS(TkBoundLabel, fw::TPersistent)
 public:
  // skinData: the bound control's skin state; its owner control is the bound control.
  explicit TkBoundLabel(TkCommonData* skinData);
  ~TkBoundLabel() override;

  bool GetActive() const { return FActive; }
  // True makes the label (named after the control plus "Label"); false frees it.
  void SetActive(bool value);
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& value);
  int GetIndent() const { return FIndent; }
  void SetIndent(int value);
  TkCaptionLayout GetLayout() const { return FLayout; }
  void SetLayout(TkCaptionLayout value);
  int GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int value);
  // The label's font while there is a label, else the bound label's own.
  fw::TFont* GetFont() const;
  void SetFont(const fw::TFont* value);
  TkEditLabel* GetLabel() const { return FLabel; }
  // The label tells its bound label that it goes.
  void ForgetLabel(const TkEditLabel* label) {
    if (label == FLabel) FLabel = nullptr;
  }

  // Places the label by Layout and Indent beside its control.
  void AlignLabel();
  void UpdateAlignment();

 private:
  int FMaxWidth = 0;
  std::string FCaption;
  TkCaptionLayout FLayout = sclLeft;
  std::unique_ptr<fw::TFont> FFont;
  int FIndent = 0;
  bool FActive = false;
  TkEditLabel* FLabel = nullptr;
  TkCommonData* FSkinData;
};

}  // namespace skin
