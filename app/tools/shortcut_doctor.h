// TShortcutDoctor: the Shortcut doctor tool of the main window. It searches the Desktop, or the
// drives and folders the user ticks, for shortcut files whose target file no longer exists,
// lists them, and removes the ticked ones by the configured removal method.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "skin/controls/bit_btn.h"
#include "skin/controls/list_view.h"
#include "skin/controls/panel.h"

namespace app {

class TfrmMain;
class TSearchRun;

class TShortcutDoctor {
 public:
  // Creates the tool's controls on panel (owned by the form), sets up the form's sdSearcher and
  // binds the handlers. The searcher then reports to this object, which must live as long as
  // the window can search.
  TShortcutDoctor(TfrmMain& form, skin::TkPanel& panel);
  TShortcutDoctor(const TShortcutDoctor&) = delete;
  TShortcutDoctor& operator=(const TShortcutDoctor&) = delete;

  // The preparation when the "Shortcut doctor" button is pressed: the path list is made again,
  // "Only special folder" ticked, then the drives that are not removable, unticked.
  void Show();

  // The full path of the shortcut file a result row stands for ("" for a row without one).
  static std::string ShortcutPath(fw::TListItem* item);

  skin::TkListView* lvSDPath = nullptr;
  skin::TkBitBtn* btnSDAddPath = nullptr;
  skin::TkBitBtn* btnSDRemovePath = nullptr;
  skin::TkListView* lvSDRes = nullptr;
  skin::TkBitBtn* btnSDSearch = nullptr;
  skin::TkBitBtn* btnSDStop = nullptr;
  skin::TkBitBtn* btnSDDelete = nullptr;
  skin::TkBitBtn* btnSDRepare = nullptr;

  void lvSDPathMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  // Keeps "Only special folder" and the drive and folder rows exclusive after every tick the
  // user changes, by mouse or keyboard.
  void lvSDPathChange(fw::TObject* Sender, fw::TListItem* Item, fw::TItemChange Change);
  void btnSDAddPathClick(fw::TObject* Sender);
  void btnSDSearchClick(fw::TObject* Sender);
  void btnSDStopClick(fw::TObject* Sender);
  void btnSDDeleteClick(fw::TObject* Sender);
  void sdSearcherBeginScanDir(fw::TObject* Sender, const std::string& AName);
  void sdSearcherFindFile(fw::TObject* Sender, const std::string& AName);
  void sdSearcherProgress(fw::TObject* Sender);
  void sdSearcherAbort(fw::TObject* Sender);

 private:
  void CreateComponents();  // shortcut_doctor_layout.cpp
  // Searches one root; an empty root (a folder the system cannot name) is never searched.
  void SearchRoot(const std::string& root);
  // Records the path list's ticks as the ones the user's next change is measured against.
  void RememberTicks();

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
  // The path list's ticks as they stood after the last change the tool made or corrected.
  std::vector<bool> FTicks;
  // While set, tick changes come from the tool itself and are not corrected.
  bool FSettingTicks = false;
  // The full paths of the listed shortcuts, which the result rows point to.
  std::deque<std::string> FPaths;
  // The status text of the folder being searched, shown at the next turn of messages.
  std::string FScanning;
  // The running search, while there is one.
  TSearchRun* FRun = nullptr;
};

}  // namespace app
