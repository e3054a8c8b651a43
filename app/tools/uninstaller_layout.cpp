// The layout of the Uninstaller: the program list, the details of the selected program and the
// Uninstall and Delete entry buttons.
#include "app/main/layout_helpers.h"
#include "app/main/main_form.h"
#include "app/tools/uninstaller.h"

namespace app {

namespace {
// The details group's width in the window's first size; the long edits keep their distance to
// its right border at every other size.
constexpr int kDetailsDesignWidth = 441;
}  // namespace

void TUninstaller::CreateComponents() {
  fw::TComponent* owner = &FForm;
  auto* details = MakePanel(owner, &FPanel, "pnlUIDetails", fw::alBottom, 132);
  auto* buttons = MakePanel(owner, details, "pnlUIButtons", fw::alRight, 120);
  kBitBtn1 = MakeButton(owner, buttons, "kBitBtn1", "Uninstall", "Uninstall selected", 8, 14, 104);
  kBitBtn2 = MakeButton(owner, buttons, "kBitBtn2", "Delete entry", "Delete entry from registry", 8, 46, 104);
  gbUIDetails = fw::New<skin::TkGroupBox>(owner);
  gbUIDetails->SetName("gbUIDetails");
  gbUIDetails->SetCaption("Details");
  gbUIDetails->SetAlign(fw::alClient);
  gbUIDetails->SetBounds(0, 0, kDetailsDesignWidth, details->GetHeight());
  kEdit1 = MakeReadOnlyEdit(owner, gbUIDetails, "kEdit1", "Name:", 84, 18, 340);
  kEdit2 = MakeReadOnlyEdit(owner, gbUIDetails, "kEdit2", "Version:", 84, 40, 140);
  kEdit3 = MakeReadOnlyEdit(owner, gbUIDetails, "kEdit3", "Install date:", 84, 62, 140);
  kEdit4 = MakeReadOnlyEdit(owner, gbUIDetails, "kEdit4", "Publisher:", 84, 84, 340);
  kEdit5 = MakeReadOnlyEdit(owner, gbUIDetails, "kEdit5", "Size:", 84, 106, 140);
  for (skin::TkEdit* edit : {kEdit1, kEdit4}) edit->SetAnchors(fw::TAnchors{fw::akLeft, fw::akTop, fw::akRight});
  // The group joins its panel only now, so the long edits keep their distance to its right border
  // whatever width the panel has while the tool is built.
  gbUIDetails->SetParent(details);

  lvUI = MakeList(owner, &FPanel, "lvUI", false,
                  {{"Software", 150}, {"Uninstall location", kAutoWidth}, {"Display icon", 0}, {"Version", 0},
                   {"Install date", 0}, {"Publisher", 0}, {"Size", 0}, {"Key", 0}});
  lvUI->SetColumnClick(false);
  lvUI->SetHideSelection(false);
  lvUI->SetSmallImages(FForm.il16);

  lvUI->OnChange = fw::Bind(this, &TUninstaller::lvUIChange);
  kBitBtn1->OnClick = fw::Bind(this, &TUninstaller::kBitBtn1Click);
  kBitBtn2->OnClick = fw::Bind(this, &TUninstaller::kBitBtn2Click);
}

}  // namespace app
