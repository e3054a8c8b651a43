// The layout of the Shortcut doctor: the path list with its Add and Remove buttons, the Search,
// Stop, Delete and (hidden) Repair buttons, the result list, and the main window's sdSearcher
// as the form resource sets it up for this tool.
#include "app/main/layout_helpers.h"
#include "app/main/main_form.h"
#include "app/tools/shortcut_doctor.h"

namespace app {

void TShortcutDoctor::CreateComponents() {
  fw::TComponent* owner = &FForm;
  auto* paths = MakePanel(owner, &FPanel, "pnlSDPaths", fw::alTop, 130);
  auto* pathButtons = MakePanel(owner, paths, "pnlSDPathButtons", fw::alRight, 96);
  btnSDAddPath = MakeButton(owner, pathButtons, "btnSDAddPath", "Add", "Add path", 8, 8, 80);
  btnSDRemovePath = MakeButton(owner, pathButtons, "btnSDRemovePath", "Remove", "Remove path", 8, 40, 80);
  lvSDPath = MakeList(owner, paths, "lvSDPath", true,
                      {{"Path", 270}, {"Volume label", 0}, {"File system", 0}, {"Serial number", 0},
                       {"Total size", 0}, {"Free size", 0}, {"type", 0}});
  lvSDPath->SetColumnClick(false);
  lvSDPath->SetSmallImages(FForm.il16);

  auto* buttons = MakePanel(owner, &FPanel, "pnlSDButtons", fw::alRight, 120);
  btnSDSearch = MakeButton(owner, buttons, "btnSDSearch", "Search", "", 8, 8, 104);
  btnSDStop = MakeButton(owner, buttons, "btnSDStop", "Stop", "", 8, 40, 104);
  btnSDStop->SetEnabled(false);
  btnSDDelete = MakeButton(owner, buttons, "btnSDDelete", "Delete", "Delete selected", 8, 72, 104);
  btnSDDelete->SetEnabled(false);
  btnSDRepare = MakeButton(owner, buttons, "btnSDRepare", "Repair", "", 8, 104, 104);
  btnSDRepare->SetEnabled(false);
  btnSDRepare->SetVisible(false);

  lvSDRes = MakeList(owner, &FPanel, "lvSDRes", true,
                     {{"Shortcut", 80}, {"Shortcut location", kAutoWidth}, {"File", 110}});
  lvSDRes->SetColumnClick(false);
  lvSDRes->SetSmallImages(FForm.il16);

  svc::TDsSearchFiles* searcher = FForm.sdSearcher;
  searcher->SetErrorResponse(svc::erIgnore);
  searcher->GetDirParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stAttribute, svc::stFileMask});
  searcher->GetFileParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stAttribute, svc::stFileMask});
  searcher->GetFileParams()->GetAttributes()->SetExcludeAttr(FILE_ATTRIBUTE_SYSTEM);
  searcher->GetFileParams()->GetFileMasks()->Clear();
  searcher->GetFileParams()->GetFileMasks()->Add("*.lnk");
  searcher->GetFileParams()->UpdateCaseMasks();
  searcher->OnBeginScanDir = fw::Bind(this, &TShortcutDoctor::sdSearcherBeginScanDir);
  searcher->OnFindFile = fw::Bind(this, &TShortcutDoctor::sdSearcherFindFile);
  searcher->OnProgress = fw::Bind(this, &TShortcutDoctor::sdSearcherProgress);
  searcher->OnAbort = fw::Bind(this, &TShortcutDoctor::sdSearcherAbort);

  lvSDPath->OnMouseUp = fw::Bind(this, &TShortcutDoctor::lvSDPathMouseUp);
  lvSDPath->OnChange = fw::Bind(this, &TShortcutDoctor::lvSDPathChange);
  btnSDAddPath->OnClick = fw::Bind(this, &TShortcutDoctor::btnSDAddPathClick);
  btnSDSearch->OnClick = fw::Bind(this, &TShortcutDoctor::btnSDSearchClick);
  btnSDStop->OnClick = fw::Bind(this, &TShortcutDoctor::btnSDStopClick);
  btnSDDelete->OnClick = fw::Bind(this, &TShortcutDoctor::btnSDDeleteClick);
}

}  // namespace app
