// The layout of the Duplicate finder's panel: the two page controls with the search paths, the
// file groups, the search options and the size range; the result list; the action buttons.
#include "app/main/layout_helpers.h"
#include "app/tools/duplicate_finder.h"

namespace app {

namespace {

using fw::TComponent;
using fw::TWinControl;

// The option check boxes' place on their page, which leaves as much room right of them as left.
constexpr int kOptionLeft = 8;
constexpr int kOptionWidth = 220;
// The option pages keep that width (and 8 for their frame) at every width of the window, so their
// captions show whole even at the smallest; the path and group pages take the rest.
constexpr int kOptionPagesWidth = kOptionLeft + kOptionWidth + kOptionLeft + 8;

skin::TkTabSheet* MakeSheet(TComponent* owner, skin::TkPageControl* pages, const char* name, const char* caption) {
  auto* sheet = fw::New<skin::TkTabSheet>(owner);
  sheet->SetName(name);
  sheet->SetCaption(caption);
  sheet->SetPageControl(pages);
  return sheet;
}

void MakeSizeRow(TComponent* owner, TWinControl* parent, const char* caption, int top, const char* editName,
                 skin::TkSpinEdit*& edit, const char* unitName, skin::TkComboBox*& unit) {
  MakeLabel(owner, parent, "", caption, 8, top + 3, 80);
  edit = fw::New<skin::TkSpinEdit>(owner);
  edit->SetName(editName);
  edit->SetBounds(88, top, 70, 21);
  edit->SetValue(0);
  edit->SetParent(parent);
  unit = fw::New<skin::TkComboBox>(owner);
  unit->SetName(unitName);
  unit->SetStyle(fw::csDropDownList);
  unit->SetBounds(162, top, 50, 21);
  for (const char* text : {"b", "Kb", "Mb"}) unit->GetItems()->Add(text);
  unit->SetItemIndex(1);
  unit->SetParent(parent);
}

}  // namespace

void TDuplicateFinder::CreateControls() {
  // Owned by the panel, which frees them with itself.
  TComponent* owner = &FPanel;
  TWinControl* panel = &FPanel;
  skin::TkPanel* settings = MakePanel(owner, panel, "", fw::alTop, 150);

  kPageControl1 = fw::New<skin::TkPageControl>(owner);
  kPageControl1->SetName("kPageControl1");
  kPageControl1->SetAlign(fw::alClient);
  kPageControl1->SetParent(settings);
  tsDFPath = MakeSheet(owner, kPageControl1, "tsDFPath", "Search path");
  tsDFGroup = MakeSheet(owner, kPageControl1, "tsDFGroup", "Files groups");

  skin::TkPanel* pathButtons = MakePanel(owner, tsDFPath, "", fw::alRight, 100);
  kBitBtn9 = MakeButton(owner, pathButtons, "kBitBtn9", "Add path", "Add path", 5, 4, 90);
  kBitBtn10 = MakeButton(owner, pathButtons, "kBitBtn10", "Remove path", "Remove path", 5, 34, 90);
  kBitBtn11 = MakeButton(owner, pathButtons, "kBitBtn11", "Clear list", "Clear list", 5, 64, 90);
  lvDFPath = fw::New<skin::TkCheckListBox>(owner);
  lvDFPath->SetName("lvDFPath");
  lvDFPath->SetSorted(true);
  lvDFPath->SetColumns(1);
  lvDFPath->GetSkinData()->SetSkinSection("EDIT");
  lvDFPath->SetAlign(fw::alClient);
  lvDFPath->SetParent(tsDFPath);

  skin::TkPanel* groupButtons = MakePanel(owner, tsDFGroup, "", fw::alRight, 100);
  kBitBtn12 = MakeButton(owner, groupButtons, "kBitBtn12", "Manage group", "Manage group", 5, 4, 90);
  kBitBtn13 = MakeButton(owner, groupButtons, "kBitBtn13", "", "", 5, 34, 90);
  kBitBtn13->SetVisible(false);
  clbDFGroup = fw::New<skin::TkCheckListBox>(owner);
  clbDFGroup->SetName("clbDFGroup");
  clbDFGroup->SetColumns(1);
  clbDFGroup->GetSkinData()->SetSkinSection("EDIT");
  clbDFGroup->SetAlign(fw::alClient);
  clbDFGroup->SetParent(tsDFGroup);

  kPageControl2 = fw::New<skin::TkPageControl>(owner);
  kPageControl2->SetName("kPageControl2");
  kPageControl2->SetWidth(kOptionPagesWidth);
  kPageControl2->SetAlign(fw::alRight);
  kPageControl2->SetParent(settings);
  tsDFOptions = MakeSheet(owner, kPageControl2, "tsDFOptions", "Search options");
  tsDFSize = MakeSheet(owner, kPageControl2, "tsDFSize", "File size");
  kCheckBox1 =
      MakeCheckBox(owner, tsDFOptions, "kCheckBox1", "Protect System folders", kOptionLeft, 8, kOptionWidth, true);
  kCheckBox2 =
      MakeCheckBox(owner, tsDFOptions, "kCheckBox2", "Include subfolders", kOptionLeft, 30, kOptionWidth, true);
  kCheckBox3 = MakeCheckBox(owner, tsDFOptions, "kCheckBox3", "Include Hidden folders and files", kOptionLeft, 52,
                            kOptionWidth, false);
  kCheckBox4 = MakeCheckBox(owner, tsDFOptions, "kCheckBox4", "Zero size file", kOptionLeft, 74, kOptionWidth, false);
  MakeSizeRow(owner, tsDFSize, "min file size", 8, "fSizeMinEdit", fSizeMinEdit, "fSizeMinCB", fSizeMinCB);
  MakeSizeRow(owner, tsDFSize, "max file size", 36, "fSizeMaxEdit", fSizeMaxEdit, "fSizeMaxCB", fSizeMaxCB);

  skin::TkPanel* buttons = MakePanel(owner, panel, "", fw::alBottom, 36);
  btnDFSearch = MakeButton(owner, buttons, "btnDFSearch", "Search", "", 8, 6, 84);
  btnDFStop = MakeButton(owner, buttons, "btnDFStop", "Stop", "", 100, 6, 84);
  btnDFCopy = MakeButton(owner, buttons, "btnDFCopy", "Copy to...", "", 192, 6, 84);
  btnDFMove = MakeButton(owner, buttons, "btnDFMove", "Move to...", "", 284, 6, 84);
  btnDFDelete = MakeButton(owner, buttons, "btnDFDelete", "Delete", "", 376, 6, 84);
  btnDFStop->SetEnabled(false);
  btnDFCopy->SetEnabled(false);
  btnDFMove->SetEnabled(false);
  btnDFDelete->SetEnabled(false);

  lvDFRes = MakeList(owner, panel, "lvDFRes", true,
                     {{"File name", 150}, {"Ext", 50}, {"Path", 200}, {"Size", 80}, {"hash", 0}, {"real sized", 0}});
  lvDFRes->SetColumnClick(false);

  // The search engine as the form resource sets it up for this tool.
  svc::TDsSearchFiles* searcher = FForm.dfSearcher;
  searcher->SetErrorResponse(svc::erIgnore);
  searcher->GetDirParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stAttribute, svc::stFileMask});
  searcher->GetFileParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stAttribute, svc::stFileMask});
  searcher->GetFileParams()->GetAttributes()->SetExcludeAttr(FILE_ATTRIBUTE_SYSTEM);
  searcher->GetFileParams()->GetFileMasks()->Clear();
  searcher->GetFileParams()->GetFileMasks()->Add("");
  searcher->GetFileParams()->UpdateCaseMasks();
  searcher->OnFindFile = fw::Bind(this, &TDuplicateFinder::dfSearcherFindFile);
  searcher->OnAbort = fw::Bind(this, &TDuplicateFinder::dfSearcherAbort);
  searcher->OnProgress = fw::Bind(this, &TDuplicateFinder::dfSearcherProgress);

  kBitBtn9->OnClick = fw::Bind(this, &TDuplicateFinder::kBitBtn9Click);
  kBitBtn10->OnClick = fw::Bind(this, &TDuplicateFinder::kBitBtn10Click);
  kBitBtn11->OnClick = fw::Bind(this, &TDuplicateFinder::kBitBtn11Click);
  kBitBtn12->OnClick = fw::Bind(this, &TDuplicateFinder::kBitBtn12Click);
  btnDFSearch->OnClick = fw::Bind(this, &TDuplicateFinder::btnDFSearchClick);
  btnDFStop->OnClick = fw::Bind(this, &TDuplicateFinder::btnDFStopClick);
  btnDFCopy->OnClick = fw::Bind(this, &TDuplicateFinder::btnDFCopyClick);
  btnDFMove->OnClick = fw::Bind(this, &TDuplicateFinder::btnDFMoveClick);
  btnDFDelete->OnClick = fw::Bind(this, &TDuplicateFinder::btnDFDeleteClick);
}

}  // namespace app
