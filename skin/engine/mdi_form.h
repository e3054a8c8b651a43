// TkMDIForm: the skin of an MDI form's client window, made by the form's TkSkinProvider. It
// subclasses the MDI client so that its background and edge come from the provider's cache
// (where the provider paints the "MDIAREA" section), lays skinned scroll bars and a grip over
// the client's own bars, gives the client's place in the cache, and keeps the "kMDICII" menu
// item (restore, minimize, close of the active child) first in the main menu while the active
// child is maximized.
#pragma once
#include <windows.h>

#include "framework/controls/control.h"
#include "framework/core/object.h"
#include "framework/msg/subclass_window.h"

namespace fw {
class TCustomForm;
class TMenuItem;
}  // namespace fw

namespace skin {

class TkSkinProvider;
class TkScrollBar;
class TkGrip;

// The client is painted from the provider's cache only while both are set; the skinned bars
// follow the client only while the second is set. Both start set.
extern bool MDIAreaFromCache;
extern bool MDIAreaScrolling;

class TkMDIForm : public fw::TPersistent {
  FW_CLASS(TkMDIForm, fw::TPersistent)
 public:
  explicit TkMDIForm(TkSkinProvider* provider);
  ~TkMDIForm() override;

  // Subclasses the client unless it already answers the skin query (command 7).
  void ConnectToClient();
  void ClientWndProc(fw::TMessage& m, const fw::TCallPrevious& previous);
  // The client's own scroll range of one direction (SB_HORZ, SB_VERT) shifted to start at 0;
  // false when that direction needs no bar.
  bool GetMDIScrollInfo(int kind, SCROLLINFO& info);
  void UpdateMDIScrollBars();
  void UpdateMDIIconItem();

  // The client's place in the provider's cache, from the form's aligned controls.
  int AlignedSize(fw::TAlign align) const;
  int OffsetX() const;
  int OffsetY() const;
  int MDIClientWidth() const;
  int MDIClientHeight() const;

  bool GetConnected() const { return FConnected; }
  fw::TMenuItem* GetIconItem() const { return FIconItem; }
  // A bar or the grip freed with the form, or the item with a menu, before this object.
  void ComponentFreed(const fw::TComponent* component);
  TkScrollBar* GetVertBar() const { return FVertBar; }
  TkScrollBar* GetHorzBar() const { return FHorzBar; }
  TkGrip* GetGrip() const { return FGrip; }

 private:
  HWND Client() const;
  bool ClientKeepsRange() const;
  void ChildrenRange(int kind, SCROLLINFO& info) const;
  bool SkinActive() const;
  bool PaintsFromCache() const;
  void PaintEdge(HWND client);
  void PaintClient(fw::TMessage& m, HWND client);
  void BuildIconItem();
  TkScrollBar* MakeBar(bool vertical);
  void BarMoved(bool vertical);
  void BarReleased();
  void SendToActiveChild(WPARAM command);

  TkSkinProvider* FProvider;
  fw::TCustomForm* FForm;
  int FSubclass = 0;
  bool FConnected = false;
  bool FBarsChanging = false;
  fw::TMenuItem* FIconItem = nullptr;
  TkScrollBar* FVertBar = nullptr;
  TkScrollBar* FHorzBar = nullptr;
  TkGrip* FGrip = nullptr;
};

}  // namespace skin
