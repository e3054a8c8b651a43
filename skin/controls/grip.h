// TkGrip: the 20 x 20 size-grip corner a form skinner lays where its two scroll bars meet
// (section "CHECKBOX"). Transparent and linked to a control, it shows the bottom-right corner of
// that control's cache; otherwise it paints as the framework's panel. Its creator sets its skin
// manager, the linked control and its parent, places it and shows it.
#pragma once
#include "skin/controls/panel.h"

namespace skin {

class TkGrip : public TkPanel {
  FW_CLASS(TkGrip, TkPanel)
 public:
  explicit TkGrip(fw::TComponent* owner);

  // True: the grip shows its linked control's bottom-right corner.
  // Both setters repaint the grip when the value changes: a grip already on the screen shows
  // the new source at once.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool value);
  fw::TControl* GetLinkedControl() const { return FLinkedControl; }
  void SetLinkedControl(fw::TControl* control);
  void PaintAll(HDC dc) override;

  // The block of the linked control's cache the grip shows: its client area's bottom-right
  // corner of the grip's size, the client area lying at the answer's offsets in the cache.
  static fw::TPoint CornerSource(const TkBgRef& answer, fw::TSize linkedClient, fw::TSize grip);

 protected:
  ~TkGrip() override = default;

 private:
  bool FTransparent = false;
  fw::TControl* FLinkedControl = nullptr;
};

}  // namespace skin
