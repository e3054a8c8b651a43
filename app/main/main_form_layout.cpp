// The layout of the main window: every control and component with its name, properties and
// handlers, as the form resource would create them.
#include <initializer_list>

#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/main/layout_helpers.h"
#include "app/main/main_form.h"
#include "app/main/program_pictures.h"
#include "app/main/system_frame.h"
#include "app/tools/duplicate_finder.h"
#include "app/tools/file_wiper.h"
#include "app/tools/other_clean.h"
#include "skin/engine/stored_skin_reader.h"
#include "app/tools/startup_manager.h"

namespace app {

namespace {

using fw::TComponent;
using fw::TWinControl;

skin::TkPanel* MakePanel(TComponent* owner, TWinControl* parent, const char* name, fw::TAlign align, int size) {
  auto* panel = fw::New<skin::TkPanel>(owner);
  panel->SetName(name);
  panel->SetCaption("");
  panel->SetBevelOuter(fw::bvNone);
  if (align == fw::alLeft || align == fw::alRight)
    panel->SetWidth(size);
  else if (size > 0)
    panel->SetHeight(size);
  panel->SetAlign(align);
  panel->SetParent(parent);
  return panel;
}

skin::TkLabel* MakeLabel(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left,
                         int top) {
  auto* label = fw::New<skin::TkLabel>(owner);
  label->SetName(name);
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top);
  label->SetParent(parent);
  return label;
}

struct TColumnSpec {
  const char* Caption;
  int Width;  // -1: takes the width the other columns leave
  bool Right;
};

skin::TkListView* MakeList(TComponent* owner, TWinControl* parent, const char* name, bool checkboxes,
                           std::initializer_list<TColumnSpec> columns) {
  auto* list = fw::New<skin::TkListView>(owner);
  list->SetName(name);
  list->SetViewStyle(fw::vsReport);
  list->SetCheckboxes(checkboxes);
  list->SetRowSelect(true);
  list->SetReadOnly(true);
  for (const TColumnSpec& spec : columns) {
    fw::TListColumn* column = list->GetColumns()->Add();
    column->SetCaption(spec.Caption);
    if (spec.Width < 0)
      column->SetAutoSize(true);
    else
      column->SetWidth(spec.Width);
    if (spec.Right) column->SetAlignment(fw::taRightJustify);
  }
  list->SetAlign(fw::alClient);
  list->SetParent(parent);
  return list;
}

// A tool panel: hidden, with its title strip (image, large title, one-line description).
skin::TkPanel* MakeToolPanel(TComponent* owner, TWinControl* parent, const char* name, const char* title,
                             const char* description) {
  std::string prefix = std::string(name).substr(3);  // "pnlDC" -> "DC"
  auto* panel = MakePanel(owner, parent, name, fw::alNone, 0);
  panel->SetVisible(false);
  auto* titlePanel = MakePanel(owner, panel, ("pnl" + prefix + "Title").c_str(), fw::alTop, 41);
  titlePanel->SetBevelOuter(fw::bvRaised);
  auto* image = fw::New<fw::TImage>(owner);
  image->SetName("img" + prefix);
  image->SetBounds(4, 4, 32, 32);
  image->SetParent(titlePanel);
  LoadPicture(image, ("TITLE_" + prefix).c_str());
  auto* caption = fw::New<skin::TkLabelFX>(owner);
  caption->SetName("lbl" + prefix + "Title");
  caption->SetCaption(title);
  caption->GetFont()->SetSize(12);
  caption->GetFont()->SetStyle(fw::TFontStyles{fw::fsBold});
  caption->SetBounds(44, 2, 300, 20);
  caption->SetParent(titlePanel);
  auto* text = fw::New<skin::TkLabel>(owner);
  text->SetName("lbl" + prefix + "Description");
  text->SetCaption(description);
  text->SetBounds(44, 22, 400, 16);
  text->SetParent(titlePanel);
  return panel;
}

// A row of buttons along the bottom of a panel that tools without their own layout yet show.
void MakeButtonRow(TComponent* owner, TWinControl* parent, const char* name,
                   std::initializer_list<std::pair<const char*, const char*>> buttons) {
  auto* row = MakePanel(owner, parent, name, fw::alBottom, 36);
  int left = 8;
  for (const auto& [buttonName, caption] : buttons) {
    MakeButton(owner, row, buttonName, caption, "", left, 6, 84);
    left += 92;
  }
}

}  // namespace

void TfrmMain::CreateComponents() {
  SetName("frmMain");
  SetCaption(kProgramTitle);
  SetPosition(fw::poDesktopCenter);
  SetBounds(0, 0, 700, 500);
  SetConstraints(fw::TSizeConstraints{600, 500, 0, 0});

  skinManager = fw::New<skin::TkSkinManager>(this);
  skinManager->SetName("skinManager");
  skin::LoadStoredSkinResource(*skinManager->GetInternalSkins());
  skinManager->GetMenuSupport()->SetIcoLineSkin("ICOLINE");
  skinManager->SetSkinDirectory(".\\Skins");
  skinManager->SetSkinName(skin::kNeutralSkinName);
  skinProvider = fw::New<skin::TkSkinProvider>(this);
  skinProvider->SetName("skinProvider");
  il16 = fw::New<fw::TImageList>(this);
  il16->SetName("il16");
  il22 = fw::New<fw::TImageList>(this);
  il22->SetName("il22");
  il22->SetWidth(22);
  il22->SetHeight(22);
  suIL = fw::New<fw::TImageList>(this);
  suIL->SetName("suIL");
  LoadImageStrip(il16, "IL16");
  LoadImageStrip(il22, "IL22");
  LoadImageStrip(suIL, "SUIL");
  kBrowser = fw::New<skin::TkPathDialog>(this);
  kBrowser->SetName("kBrowser");
  kBrowser->SetRoot(skin::rfMyComputer);
  sc = fw::New<svc::TSvShortcut>(this);
  sc->SetName("sc");
  sc->SetAutoName(false);
  sc->SetLocationType(svc::ltDirectory);
  sc->SetSpecialFolder(svc::sfNone);
  sc->SetIconIndex(0);
  sc->SetSilentResolve(true);  // listing shortcuts shows no window and rewrites no link
  fo = fw::New<svc::TDsSHFileOperation>(this);
  fo->SetName("fo");
  fo->SetOperation(svc::foMove);
  compInfo = fw::New<svc::TDsComputerInfoEx>(this);
  compInfo->SetName("compInfo");

  dcSearcher = fw::New<svc::TDsSearchFiles>(this);
  dcSearcher->SetName("dcSearcher");
  dcSearcher->SetErrorResponse(svc::erIgnore);
  dcSearcher->GetDirParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stFileMask});
  dcSearcher->GetFileParams()->SetSearchTypes(svc::TDsSearchTypes{svc::stFileMask});
  dcSearcher->GetFileParams()->GetAttributes()->SetExcludeAttr(4);
  dcSearcher->OnBeginScanDir = fw::Bind(this, &TfrmMain::dcSearcherBeginScanDir);
  dcSearcher->OnFindFile = fw::Bind(this, &TfrmMain::dcSearcherFindFile);
  dcSearcher->OnProgress = fw::Bind(this, &TfrmMain::dcSearcherProgress);
  dfSearcher = fw::New<svc::TDsSearchFiles>(this);
  dfSearcher->SetName("dfSearcher");
  sdSearcher = fw::New<svc::TDsSearchFiles>(this);
  sdSearcher->SetName("sdSearcher");
  fwSearcher = fw::New<svc::TDsSearchFiles>(this);
  fwSearcher->SetName("fwSearcher");

  // Header.
  kPanel1 = MakePanel(this, this, "kPanel1", fw::alTop, 41);
  kPanel1->SetBevelOuter(fw::bvRaised);
  Image1 = fw::New<fw::TImage>(this);
  Image1->SetName("Image1");
  Image1->SetBounds(4, 4, 32, 32);
  Image1->SetParent(kPanel1);
  LoadPicture(Image1, "HEADER");
  kLabelFX1 = fw::New<skin::TkLabelFX>(this);
  kLabelFX1->SetName("kLabelFX1");
  kLabelFX1->SetCaption(kProgramTitle);
  kLabelFX1->GetFont()->SetSize(14);
  kLabelFX1->GetFont()->SetStyle(fw::TFontStyles{fw::fsBold});
  kLabelFX1->SetBounds(44, 8, 300, 24);
  kLabelFX1->SetParent(kPanel1);
  auto* headerButtons = MakePanel(this, kPanel1, "pnlHeaderButtons", fw::alRight, 268);
  int left = 4;
  for (auto [button, name, caption] :
       {std::tuple{&btnSettings, "btnSettings", "Settings"}, std::tuple{&btnAbout, "btnAbout", "About"},
        std::tuple{&btnHelp, "btnHelp", "Help"}, std::tuple{&btnExit, "btnExit", "Exit"}}) {
    *button = fw::New<skin::TkSpeedButton>(this);
    (*button)->SetName(name);
    (*button)->SetCaption(caption);
    (*button)->SetFlat(true);
    (*button)->SetBounds(left, 6, 62, 28);
    (*button)->SetParent(headerButtons);
    left += 66;
  }
  btnSettings->OnClick = fw::Bind(this, &TfrmMain::btnSettingsClick);
  btnAbout->OnClick = fw::Bind(this, &TfrmMain::btnAboutClick);
  btnHelp->OnClick = fw::Bind(this, &TfrmMain::btnHelpClick);
  btnExit->OnClick = fw::Bind(this, &TfrmMain::btnExitClick);

  // Status bar with the search animation in its second panel.
  kBar = fw::New<skin::TkStatusBar>(this);
  kBar->SetName("kBar");
  for (int width : {150, 30, 50}) kBar->GetPanels()->Add()->SetWidth(width);
  kBar->SetAlign(fw::alBottom);
  kBar->SetParent(this);
  Anim = fw::New<fw::TAnimate>(this);
  Anim->SetName("Anim");
  Anim->SetBounds(152, 2, 28, 16);
  Anim->SetCommonAVI(fw::aviFindFile);
  Anim->SetStopFrame(8);
  Anim->SetParent(kBar);

  // Navigation bar and the frames placed at design time (replaced by those the bar asks for).
  barMenu = fw::New<skin::TkFrameBar>(this);
  barMenu->SetName("barMenu");
  barMenu->SetWidth(131);
  barMenu->SetAlign(fw::alLeft);
  barMenu->SetImages(il16);
  barMenu->SetParent(this);
  for (auto [caption, image] : {std::pair{"Cleaners", 4}, std::pair{"System", 7}, std::pair{"Files&&Folders", 6}}) {
    skin::TkTitleItem* item = barMenu->GetItems()->Add();
    item->SetCaption(caption);
    item->SetImageIndex(image);
    item->SetSkinSection("BARTITLE");
  }
  barMenu->GetItems()->GetItems(0)->OnCreateFrame = fw::Bind(this, &TfrmMain::barMenuItems0CreateFrame);
  barMenu->GetItems()->GetItems(1)->OnCreateFrame = fw::Bind(this, &TfrmMain::barMenuItems1CreateFrame);
  barMenu->GetItems()->GetItems(2)->OnCreateFrame = fw::Bind(this, &TfrmMain::barMenuItems2CreateFrame);
  frmCleaners1 = fw::New<TfrmCleaners>(this);
  frmCleaners1->SetName("frmCleaners1");
  frmSystem1 = fw::New<TfrmSystem>(this);
  frmSystem1->SetName("frmSystem1");
  frmFile1 = fw::New<TfrmFile>(this);
  frmFile1->SetName("frmFile1");
  for (fw::TFrame* frame : std::initializer_list<fw::TFrame*>{frmCleaners1, frmSystem1, frmFile1}) {
    frame->SetVisible(false);
    frame->SetParent(this);
  }

  // Drive cleaner.
  pnlDC = MakeToolPanel(this, this, "pnlDC", "Drive cleaner", "Help you to remove junk files");
  auto* dcPaths = MakePanel(this, pnlDC, "pnlDCPaths", fw::alTop, 130);
  auto* dcPathButtons = MakePanel(this, dcPaths, "pnlDCPathButtons", fw::alRight, 96);
  btnDCAddPath = MakeButton(this, dcPathButtons, "btnDCAddPath", "Add", "Add path", 8, 8, 80);
  btnDCRemovePath = MakeButton(this, dcPathButtons, "btnDCRemovePath", "Remove", "Remove path", 8, 40, 80);
  lvDCDrive = MakeList(this, dcPaths, "lvDCDrive", true,
                       {{"Path", -1, false}, {"Volume label", 80, false}, {"File system", 80, false},
                        {"Serial number", 80, false}, {"Total size", 70, true}, {"Free size", 70, true},
                        {"type", 0, false}});
  lvDCDrive->SetColumnClick(false);
  lvDCDrive->SetSmallImages(il16);
  auto* dcTotals = MakePanel(this, pnlDC, "pnlDCTotals", fw::alBottom, 24);
  MakeLabel(this, dcTotals, "lblDCFileCountCaption", "Files count:", 8, 4);
  lblDCFileCount = MakeLabel(this, dcTotals, "lblDCFileCount", "0", 80, 4);
  MakeLabel(this, dcTotals, "lblDCFileSizeCaption", "Files size:", 200, 4);
  lblDCFileSize = MakeLabel(this, dcTotals, "lblDCFileSize", "0", 264, 4);
  auto* dcButtons = MakePanel(this, pnlDC, "pnlDCButtons", fw::alRight, 120);
  btnDCSearch = MakeButton(this, dcButtons, "btnDCSearch", "Search", "Start search", 8, 8, 104);
  btnDCStop = MakeButton(this, dcButtons, "btnDCStop", "Stop", "Stop search", 8, 40, 104);
  btnDCStop->SetEnabled(false);
  btnDCDelete = MakeButton(this, dcButtons, "btnDCDelete", "Delete", "Delete selected", 8, 72, 104);
  btnDCDelete->SetEnabled(false);
  kGroupBox1 = fw::New<skin::TkGroupBox>(this);
  kGroupBox1->SetName("kGroupBox1");
  kGroupBox1->SetCaption("Selection");
  kGroupBox1->SetBounds(4, 100, 112, 104);
  kGroupBox1->SetParent(dcButtons);
  kBitBtn5 = MakeButton(this, kGroupBox1, "kBitBtn5", "Select all", "", 8, 18, 96);
  kBitBtn6 = MakeButton(this, kGroupBox1, "kBitBtn6", "Unselect all", "", 8, 46, 96);
  kBitBtn7 = MakeButton(this, kGroupBox1, "kBitBtn7", "Invert selectionl", "", 8, 74, 96);
  lvDCResult = MakeList(this, pnlDC, "lvDCResult", true,
                        {{"File", -1, false}, {"Size", 100, true}, {"real size", 0, true}});
  btnDCAddPath->OnClick = fw::Bind(this, &TfrmMain::btnDCAddPathClick);
  btnDCRemovePath->OnClick = fw::Bind(this, &TfrmMain::btnDCRemovePathClick);
  btnDCSearch->OnClick = fw::Bind(this, &TfrmMain::btnDCSearchClick);
  btnDCStop->OnClick = fw::Bind(this, &TfrmMain::btnDCStopClick);
  btnDCDelete->OnClick = fw::Bind(this, &TfrmMain::btnDCDeleteClick);
  kBitBtn5->OnClick = fw::Bind(this, &TfrmMain::kBitBtn5Click);
  kBitBtn6->OnClick = fw::Bind(this, &TfrmMain::kBitBtn6Click);
  kBitBtn7->OnClick = fw::Bind(this, &TfrmMain::kBitBtn7Click);

  // The other tools: their titles and main controls, which their own handlers bring to life.
  pnlOC = MakeToolPanel(this, this, "pnlOC", "Other clean", "Help you to delete files from special folders");
  otherClean = std::make_unique<TOtherClean>(*this, *pnlOC);
  pnlDF = MakeToolPanel(this, this, "pnlDF", "Duplicate finder", "Help you to find duplicate of files");
  duplicateFinder = std::make_unique<TDuplicateFinder>(*this, *pnlDF);
  pnlSU = MakeToolPanel(this, this, "pnlSU", "Startup manager",
                        "Help you to manage program, which started at Windows start");
  startupManager = std::make_unique<TStartupManager>(*this, *pnlSU);
  pnlUI = MakeToolPanel(this, this, "pnlUI", "Uninstall software", "Help you to uninstall software");
  MakeButtonRow(this, pnlUI, "pnlUIButtons", {{"btnUIUninstall", "Uninstall"}, {"btnUIDelete", "Delete entry"}});
  MakeList(this, pnlUI, "lvUI", false, {});
  pnlSD = MakeToolPanel(this, this, "pnlSD", "Shortcut doctor", "Help you to find and repair broken shortcuts");
  MakeButtonRow(this, pnlSD, "pnlSDButtons",
                {{"btnSDAddPath", "Add"}, {"btnSDRemovePath", "Remove"}, {"btnSDSearch", "Search"},
                 {"btnSDStop", "Stop"}, {"btnSDDelete", "Delete"}});
  MakeList(this, pnlSD, "lvSDRes", true, {});
  pnlAM = MakeToolPanel(this, this, "pnlAM", "Attribute manager", "Help you to change file and folder attribute");
  pnlFW = MakeToolPanel(this, this, "pnlFW", "File wiper", "Help you to securely wipe file");
  fileWiper = std::make_unique<TFileWiper>(*this, *pnlFW);

  OnCreate = fw::Bind(this, &TfrmMain::FormCreate);
  OnShow = fw::Bind(this, &TfrmMain::FormShow);
  OnClose = fw::Bind(this, &TfrmMain::FormClose);
}

}  // namespace app
