// The layout of the File wiper tool: the pick line (label, edit, browse button) on top, the
// Delete and Clear list buttons along the bottom, the list of files between them; the two
// browsers and the settings of the main window's fwSearcher.
#include "app/main/layout_helpers.h"
#include "app/main/main_form.h"
#include "app/tools/file_wiper.h"

namespace app {

void TFileWiper::CreateComponents() {
  SvBrowser1 = fw::New<svc::TSvBrowser>(&FForm);
  SvBrowser1->SetName("SvBrowser1");
  SvBrowser1->SetOptions({svc::boReturnOnlyDirs, svc::boShowFiles});
  SvBrowser1->SetSpecialRootFolder(svc::sfNone);
  kBrowser1 = fw::New<svc::TSvBrowser>(&FForm);
  kBrowser1->SetName("kBrowser1");

  svc::TDsSearchFiles* searcher = FForm.fwSearcher;
  searcher->SetErrorResponse(svc::erIgnore);
  searcher->GetFileParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stFileMask});
  searcher->GetFileParams()->GetFileMasks()->Clear();
  searcher->GetFileParams()->GetFileMasks()->Add("*.*");
  searcher->SetDirOption(svc::doIncludeSubDirs);
  searcher->OnBeginScanDir = fw::Bind(this, &TFileWiper::fwSearcherBeginScanDir);
  searcher->OnFindFile = fw::Bind(this, &TFileWiper::fwSearcherFindFile);
  searcher->OnProgress = fw::Bind(this, &TFileWiper::fwSearcherProgress);

  // The pick line: the label above, the edit taking the width the browse button leaves.
  skin::TkPanel* pickPanel = MakePanel(&FForm, &FPanel, "pnlFWPick", fw::alTop, 52);
  lblFWSelect = fw::New<skin::TkLabel>(&FForm);
  lblFWSelect->SetName("lblFWSelect");
  lblFWSelect->SetCaption("Select file or folder to securely wipe");
  lblFWSelect->SetBounds(8, 6, 300, 16);
  lblFWSelect->SetParent(pickPanel);
  skin::TkPanel* pathRow = MakePanel(&FForm, pickPanel, "pnlFWPath", fw::alBottom, 27);
  MakePanel(&FForm, pathRow, "pnlFWPathIndent", fw::alLeft, 8);
  skin::TkPanel* browse = MakePanel(&FForm, pathRow, "pnlFWBrowse", fw::alRight, 36);
  kSpeedButton1 = fw::New<skin::TkSpeedButton>(&FForm);
  kSpeedButton1->SetName("kSpeedButton1");
  kSpeedButton1->SetCaption("...");
  kSpeedButton1->SetHint("Select a file or folder");
  kSpeedButton1->SetShowHint(true);
  kSpeedButton1->SetBounds(4, 1, 25, 23);
  kSpeedButton1->SetParent(browse);
  kEdit6 = fw::New<skin::TkEdit>(&FForm);
  kEdit6->SetName("kEdit6");
  kEdit6->SetText("");
  kEdit6->SetAlign(fw::alClient);
  kEdit6->SetParent(pathRow);

  skin::TkPanel* buttons = MakePanel(&FForm, &FPanel, "pnlFWButtons", fw::alBottom, 36);
  btnFWDelete = MakeButton(&FForm, buttons, "btnFWDelete", "Delete", "Delete selected file", 8, 6, 84);
  btnFWDelete->SetEnabled(false);
  kBitBtn4 = MakeButton(&FForm, buttons, "kBitBtn4", "Clear list", "Clear result list", 100, 6, 84);
  kBitBtn4->SetEnabled(false);

  fwLV = fw::New<skin::TkListView>(&FForm);
  fwLV->SetName("fwLV");
  fwLV->SetViewStyle(fw::vsReport);
  fwLV->SetCheckboxes(true);
  fwLV->SetRowSelect(true);
  fwLV->SetReadOnly(true);
  fwLV->SetColumnClick(false);
  for (const char* caption : {"File name", "Path"}) {
    fw::TListColumn* column = fwLV->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetAutoSize(true);
  }
  fw::TListColumn* status = fwLV->GetColumns()->Add();
  status->SetCaption("Status");
  status->SetWidth(150);
  fwLV->SetAlign(fw::alClient);
  fwLV->SetParent(&FPanel);

  kSpeedButton1->OnClick = fw::Bind(this, &TFileWiper::kSpeedButton1Click);
  btnFWDelete->OnClick = fw::Bind(this, &TFileWiper::btnFWDeleteClick);
  kBitBtn4->OnClick = fw::Bind(this, &TFileWiper::kBitBtn4Click);
}

}  // namespace app
