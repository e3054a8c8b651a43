// TfrmMain: the program's main window. A header with the Settings, About, Help and Exit
// buttons, the collapsible bar of the three navigation frames on the left, the eight tool
// panels of which one fills the rest of the window, and the status bar with the search
// animation. A tool with controls of its own is an object of its own class (app/tools/) that
// builds them on its panel; the window creates and owns it.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shared/drive_list.h"
#include "framework/comctrls/animate.h"
#include "framework/extctrls/image.h"
#include "framework/forms/custom_form.h"
#include "framework/graphics/image_list.h"
#include "framework/classes/string_list.h"
#include "services/search/search_files.h"
#include "services/shell/sh_file_operation.h"
#include "services/shell/shortcut.h"
#include "services/system/computer_info_ex.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/frame_bar.h"
#include "skin/controls/label_fx.h"
#include "skin/controls/panel.h"
#include "skin/controls/path_dialog.h"
#include "skin/controls/speed_button.h"
#include "skin/controls/status_bar.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_provider.h"

namespace app {

class TfrmCleaners;
class TDriveCleaner;
class TOtherClean;
class TDuplicateFinder;
class TFileWiper;
class TAttributeManager;
class TStartupManager;
class TUninstaller;
class TShortcutDoctor;
class TfrmSystem;
class TfrmFile;

// The program's window caption and the title of its header.
inline constexpr char kProgramTitle[] = "Vorlet Disk Cleaner 2.2";

class TfrmMain : public fw::TForm {
  FW_CLASS(TfrmMain, fw::TForm)
 public:
  explicit TfrmMain(fw::TComponent* owner);

  // Header.
  skin::TkPanel* kPanel1 = nullptr;
  fw::TImage* Image1 = nullptr;
  skin::TkLabelFX* kLabelFX1 = nullptr;
  skin::TkSpeedButton* btnSettings = nullptr;
  skin::TkSpeedButton* btnAbout = nullptr;
  skin::TkSpeedButton* btnHelp = nullptr;
  skin::TkSpeedButton* btnExit = nullptr;
  // Navigation.
  skin::TkFrameBar* barMenu = nullptr;
  TfrmCleaners* frmCleaners1 = nullptr;
  TfrmSystem* frmSystem1 = nullptr;
  TfrmFile* frmFile1 = nullptr;
  // Tool panels.
  skin::TkPanel* pnlDC = nullptr;
  skin::TkPanel* pnlOC = nullptr;
  skin::TkPanel* pnlDF = nullptr;
  skin::TkPanel* pnlSU = nullptr;
  skin::TkPanel* pnlUI = nullptr;
  skin::TkPanel* pnlSD = nullptr;
  skin::TkPanel* pnlAM = nullptr;
  skin::TkPanel* pnlFW = nullptr;
  // Status bar.
  skin::TkStatusBar* kBar = nullptr;
  fw::TAnimate* Anim = nullptr;
  // Components.
  skin::TkSkinManager* skinManager = nullptr;
  skin::TkSkinProvider* skinProvider = nullptr;
  fw::TImageList* il16 = nullptr;
  fw::TImageList* il22 = nullptr;
  fw::TImageList* suIL = nullptr;
  svc::TDsSearchFiles* dcSearcher = nullptr;
  svc::TDsSearchFiles* dfSearcher = nullptr;
  svc::TDsSearchFiles* sdSearcher = nullptr;
  svc::TDsSearchFiles* fwSearcher = nullptr;
  skin::TkPathDialog* kBrowser = nullptr;
  svc::TSvShortcut* sc = nullptr;
  svc::TDsSHFileOperation* fo = nullptr;
  svc::TDsComputerInfoEx* compInfo = nullptr;

  // Fields the tools share.
  bool canceled = false;
  int32_t fileCount = 0;
  int64_t fileSize = 0;
  std::unique_ptr<fw::TStringList> exceptFiles;
  std::unique_ptr<fw::TStringList> exceptFolders;
  std::string appDir;
  // False when the configuration folders could not be made at start-up: the window then runs
  // on the defaults and makes no configuration file of its own accord.
  bool settingsKept = true;
  std::unique_ptr<fw::TStringList> dupList;

  // The tools, each a class of its own that builds its controls on its panel. A tool is
  // built the first time it is asked for (its panel shown, or these), so start-up builds only
  // the one the window opens on.
  TDriveCleaner& DriveCleaner();
  TOtherClean& OtherClean();
  TDuplicateFinder& DuplicateFinder();
  TStartupManager& StartupManager();
  TUninstaller& Uninstaller();
  TShortcutDoctor& ShortcutDoctor();
  TAttributeManager& AttributeManager();
  TFileWiper& FileWiper();
  // Whether the tool on panel has been built.
  bool ToolBuilt(skin::TkPanel* panel);

  // The tool panels, in the order of the navigation buttons.
  std::vector<skin::TkPanel*> ToolPanels() const;
  // Shows panel (its tool built and laid out while hidden, then fill run) aligned to the client
  // area in place of the other tool panels; the window changes in one paint.
  void ShowToolPanel(skin::TkPanel* panel, const std::function<void()>& fill = {});

  // Start-up and header.
  void FormCreate(fw::TObject* Sender);
  void FormShow(fw::TObject* Sender);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void barMenuItems0CreateFrame(fw::TObject* Sender, fw::TFrame*& Frame);
  void barMenuItems1CreateFrame(fw::TObject* Sender, fw::TFrame*& Frame);
  void barMenuItems2CreateFrame(fw::TObject* Sender, fw::TFrame*& Frame);
  // A navigation frame made for the bar, handed over with the bar's height less the titles'.
  void HandOver(fw::TFrame* frame, fw::TFrame*& Frame);
  void btnSettingsClick(fw::TObject* Sender);
  void btnAboutClick(fw::TObject* Sender);
  void btnHelpClick(fw::TObject* Sender);
  void btnExitClick(fw::TObject* Sender);

 protected:
  ~TfrmMain() override;
  void CreateComponents() override;
  // A navigation frame the bar frees is forgotten.
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 private:
  // The parts of the layout (main_form_layout.cpp).
  void CreateNonVisualComponents();
  void CreateHeader();
  void CreateStatusBar();
  void CreateNavigation();
  void CreateToolPanels();
  // The tool of type T on panel, built when it does not exist yet.
  template <class T>
  T& Tool(std::unique_ptr<T>& tool, skin::TkPanel* panel);
  // The tool of a panel: whether it exists, and the call that builds it when it does not.
  struct TToolSlot {
    bool Built;
    std::function<void()> Build;
  };
  TToolSlot SlotOf(const skin::TkPanel* panel);

  std::unique_ptr<TDriveCleaner> driveCleaner;
  std::unique_ptr<TOtherClean> otherClean;
  std::unique_ptr<TDuplicateFinder> duplicateFinder;
  std::unique_ptr<TStartupManager> startupManager;
  std::unique_ptr<TUninstaller> uninstaller;
  std::unique_ptr<TShortcutDoctor> shortcutDoctor;
  std::unique_ptr<TAttributeManager> attributeManager;
  std::unique_ptr<TFileWiper> fileWiper;
};

// The main window.
extern TfrmMain* frmMain;
// The drives of the computer, made when the main window is first shown, freed when it closes.
extern std::unique_ptr<std::vector<TDriveInfo>> driveList;
// The startup source chosen in the Startup manager's tree.
extern int startupSource;

}  // namespace app
