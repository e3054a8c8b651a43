// TFileWiper: the File wiper tool of the main window. The user picks a file, or a folder whose
// files are all listed, and the ticked rows are wiped: each file is overwritten six times with
// random data and deleted (wipe_file.h). Rows whose file could not be wiped stay, with the
// reason as their status.
#pragma once
#include <string>

#include "framework/comctrls/list_item.h"
#include "services/shell/browser.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/edit.h"
#include "skin/controls/label.h"
#include "skin/controls/list_view.h"
#include "skin/controls/panel.h"
#include "skin/controls/speed_button.h"

namespace app {

class TfrmMain;

// Its controls and the two browsers belong to the main window, and it binds the window's
// fwSearcher to itself, so it must live as long as the window can search.
class TFileWiper {
 public:
  // Creates the tool's controls on panel, the browsers on the form, and binds the handlers.
  TFileWiper(TfrmMain& form, skin::TkPanel& panel);
  TFileWiper(const TFileWiper&) = delete;
  TFileWiper& operator=(const TFileWiper&) = delete;

  skin::TkLabel* lblFWSelect = nullptr;
  skin::TkEdit* kEdit6 = nullptr;
  skin::TkSpeedButton* kSpeedButton1 = nullptr;
  skin::TkListView* fwLV = nullptr;
  skin::TkBitBtn* btnFWDelete = nullptr;
  skin::TkBitBtn* kBitBtn4 = nullptr;
  // The browser of the pick, and a second one that nothing executes.
  svc::TSvBrowser* SvBrowser1 = nullptr;
  svc::TSvBrowser* kBrowser1 = nullptr;

  // The pick: a file gets a row, a folder is searched for every file below it.
  void kSpeedButton1Click(fw::TObject* Sender);
  // "Clear list".
  void kBitBtn4Click(fw::TObject* Sender);
  // Wipes the ticked rows, from the last to the first.
  void btnFWDeleteClick(fw::TObject* Sender);
  void fwSearcherBeginScanDir(fw::TObject* Sender, const std::string& AName);
  void fwSearcherFindFile(fw::TObject* Sender, const std::string& AName);
  void fwSearcherProgress(fw::TObject* Sender);

  // The full name of a row's file.
  static std::string RowFileName(fw::TListItem* row);

 private:
  void CreateComponents();  // file_wiper_layout.cpp
  void AddRow(const std::string& fileName);
  void ListFolder(const std::string& folder);
  // "Clear list" is available exactly while the list has rows.
  void UpdateClearButton();

  TfrmMain& FForm;
  skin::TkPanel& FPanel;
};

}  // namespace app
