// The layout of the Drive cleaner: the path list with its Add and Remove buttons, the totals,
// the search and selection buttons, the result list, and the main window's dcSearcher as the
// form resource sets it up for this tool.
#include "app/main/layout_helpers.h"
#include "app/main/main_form.h"
#include "app/tools/drive_cleaner.h"

namespace app {

void TDriveCleaner::CreateComponents() {
  fw::TComponent* owner = &FForm;
  auto* paths = MakePanel(owner, &FPanel, "pnlDCPaths", fw::alTop, 130);
  auto* pathButtons = MakePanel(owner, paths, "pnlDCPathButtons", fw::alRight, 96);
  btnDCAddPath = MakeButton(owner, pathButtons, "btnDCAddPath", "Add", "Add path", 8, 8, 80);
  btnDCRemovePath = MakeButton(owner, pathButtons, "btnDCRemovePath", "Remove", "Remove path", 8, 40, 80);
  lvDCDrive = MakeList(owner, paths, "lvDCDrive", true,
                       {{"Path", kAutoWidth}, {"Volume label", 80}, {"File system", 80}, {"Serial number", 80},
                        {"Total size", 70, true}, {"Free size", 70, true}, {"type", 0}});
  lvDCDrive->SetColumnClick(false);
  lvDCDrive->SetSmallImages(FForm.il16);

  auto* totals = MakePanel(owner, &FPanel, "pnlDCTotals", fw::alBottom, 24);
  MakeLabel(owner, totals, "lblDCFileCountCaption", "Files count:", 8, 4);
  lblDCFileCount = MakeLabel(owner, totals, "lblDCFileCount", "0", 80, 4);
  MakeLabel(owner, totals, "lblDCFileSizeCaption", "Files size:", 200, 4);
  lblDCFileSize = MakeLabel(owner, totals, "lblDCFileSize", "0", 264, 4);

  auto* buttons = MakePanel(owner, &FPanel, "pnlDCButtons", fw::alRight, 120);
  btnDCSearch = MakeButton(owner, buttons, "btnDCSearch", "Search", "Start search", 8, 8, 104);
  btnDCStop = MakeButton(owner, buttons, "btnDCStop", "Stop", "Stop search", 8, 40, 104);
  btnDCStop->SetEnabled(false);
  btnDCDelete = MakeButton(owner, buttons, "btnDCDelete", "Delete", "Delete selected", 8, 72, 104);
  btnDCDelete->SetEnabled(false);
  kGroupBox1 = fw::New<skin::TkGroupBox>(owner);
  kGroupBox1->SetName("kGroupBox1");
  kGroupBox1->SetCaption("Selection");
  kGroupBox1->SetBounds(4, 100, 112, 104);
  kGroupBox1->SetParent(buttons);
  kBitBtn5 = MakeButton(owner, kGroupBox1, "kBitBtn5", "Select all", "", 8, 18, 96);
  kBitBtn6 = MakeButton(owner, kGroupBox1, "kBitBtn6", "Unselect all", "", 8, 46, 96);
  kBitBtn7 = MakeButton(owner, kGroupBox1, "kBitBtn7", "Invert selection", "", 8, 74, 96);

  // Thousands of rows may come: the window asks for them only when it shows them.
  lvDCResult = MakeList(owner, &FPanel, "lvDCResult", true,
                        {{"File", kAutoWidth}, {"Size", 100, true}, {"real size", 0, true}}, TListRows::OnDemand);

  svc::TDsSearchFiles* searcher = FForm.dcSearcher;
  searcher->SetErrorResponse(svc::erIgnore);
  searcher->GetDirParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stFileMask});
  searcher->GetFileParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stFileMask});
  searcher->GetFileParams()->GetAttributes()->SetExcludeAttr(4);
  searcher->OnBeginScanDir = fw::Bind(this, &TDriveCleaner::dcSearcherBeginScanDir);
  searcher->OnFindFile = fw::Bind(this, &TDriveCleaner::dcSearcherFindFile);
  searcher->OnProgress = fw::Bind(this, &TDriveCleaner::dcSearcherProgress);

  btnDCAddPath->OnClick = fw::Bind(this, &TDriveCleaner::btnDCAddPathClick);
  btnDCRemovePath->OnClick = fw::Bind(this, &TDriveCleaner::btnDCRemovePathClick);
  btnDCSearch->OnClick = fw::Bind(this, &TDriveCleaner::btnDCSearchClick);
  btnDCStop->OnClick = fw::Bind(this, &TDriveCleaner::btnDCStopClick);
  btnDCDelete->OnClick = fw::Bind(this, &TDriveCleaner::btnDCDeleteClick);
  kBitBtn5->OnClick = fw::Bind(this, &TDriveCleaner::kBitBtn5Click);
  kBitBtn6->OnClick = fw::Bind(this, &TDriveCleaner::kBitBtn6Click);
  kBitBtn7->OnClick = fw::Bind(this, &TDriveCleaner::kBitBtn7Click);
}

}  // namespace app
