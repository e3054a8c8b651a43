// TkFrameAdapter: the component dropped onto a frame that makes the frame behave like a skinned
// control. It keeps the frame's skin state (section "GROUPBOX" unless told otherwise), takes
// over the frame's window procedure (giving it back when it goes), paints the frame's
// background from the skin with its graphic children, answers the skin command message for the
// frame and lays a pair of skinned scroll bars over the frame's edges in place of the frame's
// own ones. On an owner that is not a frame it warns and stays inert.
#pragma once
#include <memory>

#include "framework/controls/control.h"
#include "framework/core/component.h"
#include "framework/msg/messages.h"
#include "skin/engine/common_data.h"

namespace fw {
class TFrame;
}

namespace skin {

class TkScrollBar;

class TkFrameAdapter : public fw::TComponent {
  FW_CLASS(TkFrameAdapter, fw::TComponent)
 public:
  explicit TkFrameAdapter(fw::TComponent* owner);
  void AfterConstruction() override;

  TkCommonData* GetSkinData() const { return FSkinData.get(); }
  // The handled frame; null for an inert adapter.
  fw::TFrame* GetFrame() const { return FFrame; }
  // The skinned bars, null until first needed.
  TkScrollBar* GetVertBar() const { return FVertBar; }
  TkScrollBar* GetHorzBar() const { return FHorzBar; }
  // True while the frame scrolls; the skinned bars are not updated meanwhile.
  bool GetScrolling() const { return FScrolling; }

  // The frame's window procedure while the adapter lives.
  void NewWndProc(fw::TMessage& m);
  // Shows, places and feeds the skinned bars the frame's content needs, hides the others.
  void UpdateScrollBars();

 protected:
  ~TkFrameAdapter() override;
  void BeforeDestruction() override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 private:
  bool Designing() const;
  bool Destroying() const;
  bool ManagerOwns(const fw::TMessage& m) const;
  void CallOld(fw::TMessage& m);
  // The commands every frame answers, skinned or not; true when the message is finished.
  bool SkinCommand(fw::TMessage& m);
  // The skinned frame's handling: skin commands 5 to 21, painting, sizing, scrolling.
  void SkinnedMessage(fw::TMessage& m);
  void SkinnedCommand(fw::TMessage& m);
  void PaintFrame(const fw::TMessage& m);
  void PrepareCache();
  // The flag of commands 11/22: the frame lies partly outside its parent.
  void UpdateHalfVisible();
  void RemoveParentBackground();
  // Hooks the popup menus the frame owns for skinning while the manager skins popups.
  void HookPopupMenus();
  // Scrolls the frame's children (windows and graphic controls) so that the content shows from
  // position on along the axis.
  void ScrollTo(bool vertical, int position);
  TkScrollBar* MakeBar(bool vertical);
  void HideBar(TkScrollBar*& bar);

  std::unique_ptr<TkCommonData> FSkinData;
  fw::TFrame* FFrame = nullptr;
  fw::TWndMethodProc FOldWndProc;
  bool FOwnVertVisible = false;
  bool FOwnHorzVisible = false;
  TkScrollBar* FVertBar = nullptr;
  TkScrollBar* FHorzBar = nullptr;
  bool FScrolling = false;
};

}  // namespace skin
