// The layout of the main window: every control and component with its name, properties and
// handlers, as the form resource would create them. The tools with classes of their own build
// their controls on their panels themselves.
#include <initializer_list>
#include <tuple>

#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/main/layout_helpers.h"
#include "app/main/main_form.h"
#include "app/main/program_pictures.h"
#include "app/main/system_frame.h"
#include "skin/engine/stored_skin_reader.h"

namespace app {

namespace {

using fw::TComponent;
using fw::TWinControl;

// A tool panel: hidden, with its title strip (image, large title, one-line description).
skin::TkPanel* MakeToolPanel(TComponent* owner, TWinControl* parent, const char* name, const char* title,
                             const char* description) {
  std::string prefix = std::string(name).substr(3);  // "pnlDC" -> "DC"
  // Hidden before it joins the window: it gets a window of its own when it first shows.
  auto* panel = MakePanel(owner, nullptr, name, fw::alNone, 0);
  panel->SetVisible(false);
  panel->SetParent(parent);
  auto* titlePanel = MakePanel(owner, panel, ("pnl" + prefix + "Title").c_str(), fw::alTop, 41);
  titlePanel->SetBevelOuter(fw::bvRaised);
  auto* image = fw::New<fw::TImage>(owner);
  image->SetName("img" + prefix);
  image->SetBounds(4, 4, 32, 32);
  image->SetParent(titlePanel);
  LoadPicture(image, ("TITLE_" + prefix).c_str());
  MakeTitle(owner, titlePanel, "lbl" + prefix + "Title", title, 12, 44, 2, 300, 20);
  MakeLabel(owner, titlePanel, ("lbl" + prefix + "Description").c_str(), description, 44, 22, 400);
  return panel;
}

svc::TDsSearchFiles* MakeSearcher(TComponent* owner, const char* name) {
  auto* searcher = fw::New<svc::TDsSearchFiles>(owner);
  searcher->SetName(name);
  return searcher;
}

}  // namespace

void TfrmMain::CreateComponents() {
  SetName("frmMain");
  SetCaption(kProgramTitle);
  SetPosition(fw::poDesktopCenter);
  SetBounds(0, 0, 700, 500);
  SetConstraints(fw::TSizeConstraints{600, 500, 0, 0});
  CreateNonVisualComponents();
  CreateHeader();
  CreateStatusBar();
  CreateNavigation();
  CreateToolPanels();
  OnCreate = fw::Bind(this, &TfrmMain::FormCreate);
  OnShow = fw::Bind(this, &TfrmMain::FormShow);
  OnClose = fw::Bind(this, &TfrmMain::FormClose);
}

void TfrmMain::CreateNonVisualComponents() {
  skinManager = fw::New<skin::TkSkinManager>(this);
  skinManager->SetName("skinManager");
  skin::LoadStoredSkinResource(*skinManager->GetInternalSkins());
  skinManager->GetMenuSupport()->SetIcoLineSkin("ICOLINE");
  skinManager->SetSkinDirectory(".\\Skins");
  skinManager->SetSkinName(skin::kNeutralSkinName);
  skinProvider = MakeSkinProvider(this, "skinProvider", skin::TkBorderIcons{fw::biSystemMenu, fw::biMinimize});
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
  kBrowser->SetRoot("rfMyComputer");
  kBrowser->SetDialogOptions(skin::TSelectDirOpts{skin::sdPrompt});
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
  // Each tool that searches sets up its searcher with its own controls.
  dcSearcher = MakeSearcher(this, "dcSearcher");
  dfSearcher = MakeSearcher(this, "dfSearcher");
  sdSearcher = MakeSearcher(this, "sdSearcher");
  fwSearcher = MakeSearcher(this, "fwSearcher");
}

void TfrmMain::CreateHeader() {
  kPanel1 = MakePanel(this, this, "kPanel1", fw::alTop, 41);
  kPanel1->SetBevelOuter(fw::bvRaised);
  Image1 = fw::New<fw::TImage>(this);
  Image1->SetName("Image1");
  Image1->SetBounds(4, 4, 32, 32);
  Image1->SetParent(kPanel1);
  LoadPicture(Image1, "HEADER");
  kLabelFX1 = MakeTitle(this, kPanel1, "kLabelFX1", kProgramTitle, 14, 44, 8, 300, 24);
  // The buttons keep their distance to the header's right edge; the header spans the window.
  kPanel1->SetWidth(GetClientWidth());
  int left = kPanel1->GetWidth() - 264;
  for (auto [button, name, caption] :
       {std::tuple{&btnSettings, "btnSettings", "Settings"}, std::tuple{&btnAbout, "btnAbout", "About"},
        std::tuple{&btnHelp, "btnHelp", "Help"}, std::tuple{&btnExit, "btnExit", "Exit"}}) {
    *button = fw::New<skin::TkSpeedButton>(this);
    (*button)->SetName(name);
    (*button)->SetCaption(caption);
    (*button)->SetFlat(true);
    (*button)->SetBounds(left, 6, 62, 28);
    (*button)->SetAnchors(fw::TAnchors{fw::akTop, fw::akRight});
    (*button)->SetParent(kPanel1);
    left += 66;
  }
  btnSettings->OnClick = fw::Bind(this, &TfrmMain::btnSettingsClick);
  btnAbout->OnClick = fw::Bind(this, &TfrmMain::btnAboutClick);
  btnHelp->OnClick = fw::Bind(this, &TfrmMain::btnHelpClick);
  btnExit->OnClick = fw::Bind(this, &TfrmMain::btnExitClick);
}

void TfrmMain::CreateStatusBar() {
  // The search animation sits in the second panel.
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
}

void TfrmMain::CreateNavigation() {
  barMenu = fw::New<skin::TkFrameBar>(this);
  barMenu->SetName("barMenu");
  barMenu->SetWidth(131);
  barMenu->SetAlign(fw::alLeft);
  barMenu->GetSkinData()->SetSkinSection("BAR");
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
  // The frames placed at design time, replaced by those the bar asks for.
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
}

void TfrmMain::CreateToolPanels() {
  pnlDC = MakeToolPanel(this, this, "pnlDC", "Drive cleaner", "Help you to remove junk files");
  pnlOC = MakeToolPanel(this, this, "pnlOC", "Other clean", "Help you to delete files from special folders");
  pnlDF = MakeToolPanel(this, this, "pnlDF", "Duplicate finder", "Help you to find duplicate of files");
  pnlSU = MakeToolPanel(this, this, "pnlSU", "Startup manager",
                        "Help you to manage program, which started at Windows start");
  pnlUI = MakeToolPanel(this, this, "pnlUI", "Uninstall software", "Help you to uninstall software");
  pnlSD = MakeToolPanel(this, this, "pnlSD", "Shortcut doctor", "Help you to find and repair broken shortcuts");
  pnlAM = MakeToolPanel(this, this, "pnlAM", "Attribute manager", "Help you to change file and folder attribute");
  pnlFW = MakeToolPanel(this, this, "pnlFW", "File wiper", "Help you to securely wipe file");
}

}  // namespace app
