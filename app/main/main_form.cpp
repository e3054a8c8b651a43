#include "app/main/main_form.h"

#include <shellapi.h>

#include "app/main/about_form.h"
#include "app/main/cleaners_frame.h"
#include "app/main/file_frame.h"
#include "app/main/system_frame.h"
#include "app/settings/settings_form.h"
#include "app/shared/config_files.h"
#include "app/tools/attribute_manager.h"
#include "app/tools/drive_cleaner.h"
#include "app/tools/duplicate_finder.h"
#include "app/tools/file_wiper.h"
#include "app/tools/other_clean.h"
#include "app/tools/shortcut_doctor.h"
#include "app/tools/startup_manager.h"
#include "app/tools/uninstaller.h"
#include "framework/forms/application.h"
#include "framework/forms/paint_hold.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "skin/controls/message_dialogs.h"

namespace app {

TfrmMain* frmMain = nullptr;
std::unique_ptr<std::vector<TDriveInfo>> driveList;
int startupSource = 0;

namespace {
// The help file beside the program.
constexpr char kHelpFile[] = "VorletDiskCleaner.chm";
// The bar's height that the titles of its sections take, left out of each frame's height.
constexpr int kBarTitlesHeight = 110;
}  // namespace

TfrmMain::TfrmMain(fw::TComponent* owner) : fw::TForm(owner) {}

TfrmMain::~TfrmMain() {
  if (frmMain == this) frmMain = nullptr;
}

std::vector<skin::TkPanel*> TfrmMain::ToolPanels() const {
  return {pnlDC, pnlOC, pnlDF, pnlSU, pnlUI, pnlSD, pnlAM, pnlFW};
}

template <class T>
T& TfrmMain::Tool(std::unique_ptr<T>& tool, skin::TkPanel* panel) {
  if (!tool) {
    tool = std::make_unique<T>(*this, *panel);
    skinProvider->ComponentsAdded();
  }
  return *tool;
}

TDriveCleaner& TfrmMain::DriveCleaner() { return Tool(driveCleaner, pnlDC); }
TOtherClean& TfrmMain::OtherClean() { return Tool(otherClean, pnlOC); }
TDuplicateFinder& TfrmMain::DuplicateFinder() { return Tool(duplicateFinder, pnlDF); }
TStartupManager& TfrmMain::StartupManager() { return Tool(startupManager, pnlSU); }
TUninstaller& TfrmMain::Uninstaller() { return Tool(uninstaller, pnlUI); }
TShortcutDoctor& TfrmMain::ShortcutDoctor() { return Tool(shortcutDoctor, pnlSD); }
TAttributeManager& TfrmMain::AttributeManager() { return Tool(attributeManager, pnlAM); }
TFileWiper& TfrmMain::FileWiper() { return Tool(fileWiper, pnlFW); }

TfrmMain::TToolSlot TfrmMain::SlotOf(const skin::TkPanel* panel) {
  auto slot = [](const auto& tool, std::function<void()> build) { return TToolSlot{tool != nullptr, std::move(build)}; };
  if (panel == pnlDC) return slot(driveCleaner, [this] { DriveCleaner(); });
  if (panel == pnlOC) return slot(otherClean, [this] { OtherClean(); });
  if (panel == pnlDF) return slot(duplicateFinder, [this] { DuplicateFinder(); });
  if (panel == pnlSU) return slot(startupManager, [this] { StartupManager(); });
  if (panel == pnlUI) return slot(uninstaller, [this] { Uninstaller(); });
  if (panel == pnlSD) return slot(shortcutDoctor, [this] { ShortcutDoctor(); });
  if (panel == pnlAM) return slot(attributeManager, [this] { AttributeManager(); });
  if (panel == pnlFW) return slot(fileWiper, [this] { FileWiper(); });
  return TToolSlot{false, [] {}};
}

bool TfrmMain::ToolBuilt(skin::TkPanel* panel) { return SlotOf(panel).Built; }

void TfrmMain::ShowToolPanel(skin::TkPanel* panel, const std::function<void()>& fill) {
  const fw::TPaintHold hold(HandleAllocated() ? GetHandle() : nullptr);
  SlotOf(panel).Build();
  for (skin::TkPanel* other : ToolPanels()) {
    if (other == panel || !other->GetVisible()) continue;
    // The page takes the place of the one shown, at its size, before it gets its windows.
    panel->SetBoundsRect(other->GetBoundsRect());
    other->SetVisible(false);
  }
  panel->SetAlign(fw::alClient);
  panel->SetVisible(true);
  if (fill) fill();
}

void TfrmMain::FormCreate(fw::TObject*) {
  appDir = fw::ProgramFolder();
  skinManager->SetSkinDirectory(ReadSkinDirectory(appDir));
  skinManager->SetSkinName(ReadSkinName(appDir, skin::kNeutralSkinName));
  try {
    EnsureProgramIni(appDir);
  } catch (const fw::Exception& e) {
    // No configuration folder: the window opens on the defaults, and says so once.
    settingsKept = false;
    skin::kMessageDlg(e.GetMessage() + " Settings will not be kept.", fw::mtWarning, fw::TMsgDlgButtons{fw::mbOK},
                      0);
  }
  canceled = false;
  SetWidth(700);
  SetHeight(500);
}

void TfrmMain::FormShow(fw::TObject*) {
  driveList = std::make_unique<std::vector<TDriveInfo>>();
  GetDriveList(*driveList);
  frmCleaners1->kSpeedButton1Click(frmCleaners1);
  barMenu->OpenItem(0, true);
  frmCleaners1->kSpeedButton1->SetDown(true);
}

void TfrmMain::FormClose(fw::TObject*, fw::TCloseAction&) { driveList.reset(); }

void TfrmMain::barMenuItems0CreateFrame(fw::TObject*, fw::TFrame*& Frame) {
  frmCleaners1 = fw::New<TfrmCleaners>(nullptr);
  HandOver(frmCleaners1, Frame);
}

void TfrmMain::barMenuItems1CreateFrame(fw::TObject*, fw::TFrame*& Frame) {
  frmSystem1 = fw::New<TfrmSystem>(nullptr);
  HandOver(frmSystem1, Frame);
}

void TfrmMain::barMenuItems2CreateFrame(fw::TObject*, fw::TFrame*& Frame) {
  frmFile1 = fw::New<TfrmFile>(nullptr);
  HandOver(frmFile1, Frame);
}

void TfrmMain::HandOver(fw::TFrame* frame, fw::TFrame*& Frame) {
  // The bar frees the frame when its section closes: the window hears of it.
  frame->FreeNotification(this);
  frame->SetHeight(barMenu->GetHeight() - kBarTitlesHeight);
  Frame = frame;
}

void TfrmMain::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TForm::Notification(component, operation);
  if (operation != fw::opRemove) return;
  if (component == frmCleaners1) frmCleaners1 = nullptr;
  if (component == frmSystem1) frmSystem1 = nullptr;
  if (component == frmFile1) frmFile1 = nullptr;
}

void TfrmMain::btnSettingsClick(fw::TObject*) {
  TfrmSettings* form = nullptr;
  fw::Application->CreateForm(form);
  form->ShowModal();
}

void TfrmMain::btnAboutClick(fw::TObject*) {
  TfrmAbout1* form = nullptr;
  fw::Application->CreateForm(form);
  form->ShowModal();
}

void TfrmMain::btnHelpClick(fw::TObject*) {
  std::string help = AppPath(appDir, kHelpFile);
  if (fw::FileExists(help)) ShellExecuteA(GetHandle(), "open", help.c_str(), "", "", SW_SHOWNORMAL);
}

void TfrmMain::btnExitClick(fw::TObject*) { Close(); }

}  // namespace app
