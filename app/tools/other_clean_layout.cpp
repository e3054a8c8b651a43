// The layout of the Other clean tool: the list of the five special places and the Clean button.
#include "app/main/main_form.h"
#include "app/tools/other_clean.h"

namespace app {

namespace {

// The captions of the rows, in TOtherCleanRow order.
const char* const kRowCaptions[ocRowCount] = {
    "Clean Windows Prefetch folder", "Clean Windows Recent folder", "Clean Windows Temp folder",
    "Clean Temporary Internet files", "Clean Windows Recycle Bin"};

}  // namespace

void TOtherClean::CreateComponents() {
  compInfo = FForm.compInfo;  // the main window's

  pnlOCButtons = fw::New<skin::TkPanel>(&FForm);
  pnlOCButtons->SetName("pnlOCButtons");
  pnlOCButtons->SetCaption("");
  pnlOCButtons->SetBevelOuter(fw::bvNone);
  pnlOCButtons->SetHeight(36);
  pnlOCButtons->SetAlign(fw::alBottom);
  pnlOCButtons->SetParent(&FPanel);

  btnOCClean = fw::New<skin::TkBitBtn>(&FForm);
  btnOCClean->SetName("btnOCClean");
  btnOCClean->SetCaption("Clean");
  btnOCClean->SetHint("Clean selected special folder");
  btnOCClean->SetShowHint(true);
  btnOCClean->SetBounds(8, 6, 84, 25);
  btnOCClean->SetParent(pnlOCButtons);

  lvOC = fw::New<skin::TkListView>(&FForm);
  lvOC->SetName("lvOC");
  lvOC->SetViewStyle(fw::vsReport);
  lvOC->SetCheckboxes(true);
  lvOC->SetRowSelect(true);
  lvOC->SetReadOnly(true);
  lvOC->SetColumnClick(false);
  fw::TListColumn* folderColumn = lvOC->GetColumns()->Add();
  folderColumn->SetCaption("Special folder");
  folderColumn->SetAutoSize(true);
  fw::TListColumn* sizeColumn = lvOC->GetColumns()->Add();
  sizeColumn->SetCaption("Size");
  sizeColumn->SetWidth(100);
  sizeColumn->SetAlignment(fw::taRightJustify);
  for (const char* caption : kRowCaptions) lvOC->GetItems()->Add()->SetCaption(caption);
  lvOC->SetAlign(fw::alClient);
  lvOC->SetParent(&FPanel);

  btnOCClean->OnClick = fw::Bind(this, &TOtherClean::btnOCCleanClick);
}

}  // namespace app
