// TkFrameBar: the vertical bar of collapsible titled sections on the left of the main window.
// Each section (TkTitleItem) shows a title button (a speed button that looks hot while its
// section is open) and, below it when open, a frame asked for (OnCreateFrame) when the section
// opens and freed when it closes (OnFrameDestroy may keep it). Opening and closing slide the
// frames in four passes by window regions, a pause of 10 ms (through the clock seam) and the
// message pump between them; hints, fades and the buttons' mouse entry rest meanwhile. A
// rearrangement asked for during one runs when that one ends. Every size change lays the bar out
// again, its open frames taking up a change of its height. The bar is a skinned scroll box: its
// vertical range follows the sections, shown by its skinned bar.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/core/collection.h"
#include "framework/core/events.h"
#include "framework/forms/frame.h"
#include "framework/graphics/image_list.h"
#include "skin/controls/scroll_box.h"
#include "skin/controls/speed_button.h"

namespace skin {

class TkFrameBar;
class TkTitleItem;

using TFrameDestroyEvent = std::function<void(fw::TObject* Sender, fw::TFrame*& Frame, bool& CanDestroy)>;

// The height a sliding frame of full height shows on a pass (0 .. steps) of a rearrangement in
// steps (0: no slide, the end at once): opening grows from 0, closing shrinks from full.
int SlideHeight(int full, int steps, int pass, bool opening);

// Section states.
enum TkTitleState { tsClosed = 0, tsOpen = 1, tsClosing = 2, tsOpening = 3 };

namespace kFrameBar {

// A section's title: hot whenever its section is open.
class TkTitleButton : public TkSpeedButton {
  FW_CLASS(TkTitleButton, TkSpeedButton)
 public:
  TkTitleButton(fw::TComponent* owner, int index);
  TkTitleItem* Item = nullptr;
  bool GetOpen() const { return FOpen; }
  // A change repaints the button.
  void SetOpen(bool value);
  int CurrentState() const override;

 protected:
  ~TkTitleButton() override = default;

 private:
  bool FOpen = false;
};

}  // namespace kFrameBar

class TkTitleItem : public fw::TCollectionItem {
  FW_CLASS(TkTitleItem, fw::TCollectionItem)
 public:
  explicit TkTitleItem(fw::TCollection* collection);
  ~TkTitleItem() override;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  std::string GetSkinSection() const;
  void SetSkinSection(const std::string& value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool value);
  kFrameBar::TkTitleButton* GetTitleButton() const { return FButton; }
  // The section's frame: null until asked for, and again once freed.
  fw::TFrame* GetFrame() const { return FFrame; }
  int GetState() const { return FState; }
  // The frame's full height, 0 until known.
  int GetFullHeight() const { return FFullHeight; }

  fw::TCreateFrameEvent OnCreateFrame;
  fw::TNotifyEvent OnClick;
  TFrameDestroyEvent OnFrameDestroy;

 private:
  friend class TkFrameBar;
  TkFrameBar* Bar() const;
  void TitleButtonClick(fw::TObject* sender);

  std::string FCaption;
  int FImageIndex = -1;
  bool FVisible = true;
  kFrameBar::TkTitleButton* FButton = nullptr;
  fw::TFrame* FFrame = nullptr;
  int FFullHeight = 0;
  int FState = tsClosed;
};

class TkTitles : public fw::TCollection {
  FW_CLASS(TkTitles, fw::TCollection)
 public:
  explicit TkTitles(TkFrameBar* bar);
  ~TkTitles() override;
  TkFrameBar* GetBar() const { return FBar; }
  TkTitleItem* Add() { return static_cast<TkTitleItem*>(fw::TCollection::Add()); }
  TkTitleItem* GetItems(int index) const { return static_cast<TkTitleItem*>(fw::TCollection::GetItems(index)); }

 private:
  TkFrameBar* FBar;
};

class TkFrameBar : public TkScrollBox {
  FW_CLASS(TkFrameBar, TkScrollBox)
 public:
  explicit TkFrameBar(fw::TComponent* owner);

  TkTitles* GetItems() const { return FItems.get(); }
  fw::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(fw::TCustomImageList* images);
  int GetTitleHeight() const { return FTitleHeight; }
  void SetTitleHeight(int value);
  // The gap above a frame while it slides open; an open frame lies right under its title.
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int value);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  bool GetAnimation() const { return FAnimation; }
  void SetAnimation(bool value) { FAnimation = value; }
  // When false, opening a section closes every open one.
  bool GetAllowAllOpen() const { return FAllowAllOpen; }
  void SetAllowAllOpen(bool value) { FAllowAllOpen = value; }
  // When false, clicking the title of an open section does nothing.
  bool GetAllowAllClose() const { return FAllowAllClose; }
  void SetAllowAllClose(bool value) { FAllowAllClose = value; }
  bool GetRearranging() const { return FRearranging; }

  // Opens the section: at once without AllowAllOpen (the others slide closed when animated),
  // sliding open with AllowAllOpen when animated.
  void OpenItem(int index, bool animated);
  // Lays the sections out again, sliding frames open or closed in passes when animated.
  void Rearrange();
  // The title buttons' and frames' width, the skinned bar's room left free.
  void UpdateWidths();
  // The area the sections lie in.
  fw::TRect ItemsRect() const;
  void WndProc(fw::TMessage& m) override;

 protected:
  ~TkFrameBar() override;
  void Loaded() override;
  void BeforeDestruction() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  // Asks for the frame when missing, then shows its bottom height pixels below top (-1: all).
  bool UpdateFrame(int index, int top, int width, int height);
  // The frame shown when a section has no OnCreateFrame: a notice in red.
  fw::TFrame* CreateDefaultFrame();

 private:
  friend class TkTitleItem;
  int ScrollOffset() const;
  // A change of the bar's height since the last rearrangement goes to the open sections' frames:
  // the titles below them keep their place at the bar's foot.
  void FollowHeight();
  // A rearrangement without the slide.
  void RearrangeAtOnce();
  // Offers the item's frame to OnFrameDestroy and frees it when allowed; true when freed.
  bool DestroyFrame(TkTitleItem* item);
  bool Destroying() const { return GetComponentState().Contains(fw::csDestroying); }

  std::unique_ptr<TkTitles> FItems;
  fw::TCustomImageList* FImages = nullptr;
  int FTitleHeight = 28;
  int FSpacing = 2;
  int FBorderWidth = 2;
  bool FAnimation = true;
  bool FAllowAllOpen = false;
  bool FAllowAllClose = false;
  bool FRearranging = false;
  bool FPendingRearrange = false;
  bool FBarWasVisible = false;
  int FLaidOutHeight = 0;
};

}  // namespace skin
