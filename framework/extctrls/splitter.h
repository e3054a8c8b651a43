// TSplitter: a windowless bar between a control aligned to the same side and the rest; dragging
// it resizes that neighbour (live, rsUpdate), never below MinSize.
#pragma once
#include <functional>

#include "framework/controls/graphic_control.h"

namespace fw {

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

class TSplitter : public TGraphicControl {
  FW_CLASS(TSplitter, TGraphicControl)
 public:
  explicit TSplitter(TComponent* owner);

  int GetMinSize() const { return FMinSize; }
  void SetMinSize(int v) { FMinSize = v > 0 ? v : 1; }
  bool GetAutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool v) { FAutoSnap = v; }
  TResizeStyle GetResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle v) { FResizeStyle = v; }
  bool GetBeveled() const { return FBeveled; }
  void SetBeveled(bool v);
  // The control the splitter resizes (null when none sits next to it).
  TControl* FindControl() const;

  TNotifyEvent OnMoved;
  TCanResizeEvent OnCanResize;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TSplitter() override = default;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  bool Horizontal() const { return GetAlign() == alLeft || GetAlign() == alRight; }

  int FMinSize = 30;
  bool FAutoSnap = true;
  TResizeStyle FResizeStyle = rsUpdate;
  bool FBeveled = false;
  TControl* FControl = nullptr;
  TPoint FDownPos;
  int FStartSize = 0;
};

}  // namespace fw
