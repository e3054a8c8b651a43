// TkFrameBar: the collapsible bar of titled sections on the left of the main window. Each
// section (TkTitleItem) shows a title strip; an open section shows its frame below the strip.
// A section's frame is asked for on demand, through OnCreateFrame, when it is first opened;
// the frame has no owner, is parented to the bar and is freed with it.
#pragma once
#include <memory>
#include <string>

#include "framework/controls/custom_control.h"
#include "framework/core/collection.h"
#include "framework/core/events.h"
#include "framework/forms/frame.h"
#include "framework/graphics/image_list.h"

namespace skin {

class TkFrameBar;

class TkTitleItem : public fw::TCollectionItem {
  FW_CLASS(TkTitleItem, fw::TCollectionItem)
 public:
  explicit TkTitleItem(fw::TCollection* collection);

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  const std::string& GetSkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& value) { FSkinSection = value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool value);
  bool GetOpened() const { return FOpened; }
  // The section's frame: null until OnCreateFrame handed one over.
  fw::TFrame* GetFrame() const { return FFrame; }

  fw::TCreateFrameEvent OnCreateFrame;

 private:
  friend class TkFrameBar;
  TkFrameBar* Bar() const;
  std::string FCaption;
  int FImageIndex = -1;
  std::string FSkinSection;
  bool FVisible = true;
  bool FOpened = false;
  fw::TFrame* FFrame = nullptr;
};

class TkTitleItems : public fw::TCollection {
  FW_CLASS(TkTitleItems, fw::TCollection)
 public:
  explicit TkTitleItems(TkFrameBar* bar);
  TkFrameBar* GetBar() const { return FBar; }
  TkTitleItem* Add() { return static_cast<TkTitleItem*>(fw::TCollection::Add()); }
  TkTitleItem* GetItems(int index) const { return static_cast<TkTitleItem*>(fw::TCollection::GetItems(index)); }

 private:
  TkFrameBar* FBar;
};

class TkFrameBar : public fw::TCustomControl {
  FW_CLASS(TkFrameBar, fw::TCustomControl)
 public:
  explicit TkFrameBar(fw::TComponent* owner);

  TkTitleItems* GetItems() const { return FItems.get(); }
  fw::TCustomImageList* GetImages() const { return FImages; }
  void SetImages(fw::TCustomImageList* images);
  // When true, opening a section leaves the others open.
  bool GetAllowAllOpen() const { return FAllowAllOpen; }
  void SetAllowAllOpen(bool value) { FAllowAllOpen = value; }
  int GetTitleHeight() const { return FTitleHeight; }
  void SetTitleHeight(int value);

  // Opens the section at index (asking for its frame the first time) and, unless
  // AllowAllOpen, closes the others; then re-arranges the sections. There is no animation yet,
  // so animate only says the caller would allow one.
  void OpenItem(int index, bool animate);
  void CloseItem(int index);
  // Places the title strips and the frames of the open sections from the top down.
  void ArrangeItems();
  // The strip of a visible section, in client coordinates (empty for a hidden one).
  fw::TRect TitleRect(int index) const;

 protected:
  ~TkFrameBar() override;
  void Paint() override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void Resize() override;

 private:
  std::unique_ptr<TkTitleItems> FItems;
  fw::TCustomImageList* FImages = nullptr;
  bool FAllowAllOpen = false;
  int FTitleHeight = 24;
};

}  // namespace skin
