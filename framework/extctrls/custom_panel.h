// TCustomPanel/TPanel: a container with raised/lowered bevels, a border and a caption.
// Aligned children get the area inside the border and the bevels.
#pragma once
#include "framework/controls/custom_control.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  FW_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* owner);

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TPanelBevel GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel v);
  TPanelBevel GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel v);
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int v);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v);

  void AdjustClientRect(TRect& rect) override;
  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomPanel() override = default;
  void Paint() override;

 private:
  void BordersChanged();

  TAlignment FAlignment = taCenter;
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
};

class TPanel : public TCustomPanel {
  FW_CLASS(TPanel, TCustomPanel)
 public:
  using TCustomPanel::TCustomPanel;

 protected:
  ~TPanel() override = default;
};

}  // namespace fw
