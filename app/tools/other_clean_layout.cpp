// The layout of the Other clean tool: the list of the five special places and the Clean button.
#include "app/main/layout_helpers.h"
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

  pnlOCButtons = MakePanel(&FForm, &FPanel, "pnlOCButtons", fw::alBottom, 36);
  btnOCClean = MakeButton(&FForm, pnlOCButtons, "btnOCClean", "Clean", "Clean selected special folder", 8, 6, 84);

  lvOC = MakeList(&FForm, &FPanel, "lvOC", true, {{"Special folder", kAutoWidth}, {"Size", 100, true}});
  lvOC->SetColumnClick(false);
  for (const char* caption : kRowCaptions) lvOC->GetItems()->Add()->SetCaption(caption);

  btnOCClean->OnClick = fw::Bind(this, &TOtherClean::btnOCCleanClick);
}

}  // namespace app
