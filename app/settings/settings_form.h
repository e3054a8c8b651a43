// TfrmSettings: the Settings window. Four pages edit what the tools read from the configuration
// files, each change written at once: the junk masks of ext.ini, the files and folders the
// Drive cleaner never reports, the removal method with its folder and do-not-scan flag, and
// the skin folder and skin. The window's own filling writes nothing; only the user's changes
// reach the files. It is shown modally and freed when closed.
#pragma once
#include <string>
#include <vector>

#include "framework/forms/custom_form.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/directory_edit.h"
#include "skin/controls/group_box.h"
#include "skin/controls/label.h"
#include "skin/controls/label_fx.h"
#include "skin/controls/list_box.h"
#include "skin/controls/list_view.h"
#include "skin/controls/page_control.h"
#include "skin/controls/panel.h"
#include "skin/controls/radio_button.h"
#include "skin/controls/speed_button.h"

namespace skin {
class TkSkinManager;
}

namespace app {

// The skin list's only line when no skin can be found.
inline constexpr char kNoSkinsAvailable[] = "No skins available";

class TfrmSettings : public fw::TForm {
  FW_CLASS(TfrmSettings, fw::TForm)
 public:
  explicit TfrmSettings(fw::TComponent* owner);

  // Header.
  skin::TkPanel* kPanel1 = nullptr;
  skin::TkLabelFX* kLabelFX1 = nullptr;
  skin::TkLabel* kLabel1 = nullptr;
  skin::TkPageControl* kPageControl1 = nullptr;
  // "Wildcards".
  skin::TkTabSheet* kTabSheet1 = nullptr;
  skin::TkSpeedButton* addWC = nullptr;
  skin::TkSpeedButton* editWC = nullptr;
  skin::TkSpeedButton* delWC = nullptr;
  skin::TkListView* kListView1 = nullptr;
  // "Exceptions".
  skin::TkTabSheet* kTabSheet2 = nullptr;
  skin::TkGroupBox* kGroupBox1 = nullptr;
  skin::TkSpeedButton* kSpeedButton4 = nullptr;
  skin::TkSpeedButton* kSpeedButton5 = nullptr;
  skin::TkSpeedButton* kSpeedButton6 = nullptr;
  skin::TkListBox* kListBox1 = nullptr;
  skin::TkGroupBox* kGroupBox2 = nullptr;
  skin::TkSpeedButton* kSpeedButton7 = nullptr;
  skin::TkSpeedButton* kSpeedButton8 = nullptr;
  skin::TkSpeedButton* kSpeedButton9 = nullptr;
  skin::TkListBox* kListBox2 = nullptr;
  // "Removal settings".
  skin::TkTabSheet* kTabSheet3 = nullptr;
  skin::TkGroupBox* kGroupBox3 = nullptr;
  skin::TkRadioButton* recRB = nullptr;
  skin::TkRadioButton* delRB = nullptr;
  skin::TkRadioButton* fRB = nullptr;
  skin::TkLabel* kLabel2 = nullptr;
  skin::TkDirectoryEdit* fEdit = nullptr;
  skin::TkCheckBox* scanCB = nullptr;
  // "Program".
  skin::TkTabSheet* kTabSheet4 = nullptr;
  skin::TkLabel* kLabel5 = nullptr;
  skin::TkDirectoryEdit* SkinsDirectoryEdit = nullptr;
  skin::TkListBox* SkinsListBox = nullptr;
  skin::TkButton* kButton1 = nullptr;
  skin::TkLabel* kLabel3 = nullptr;
  skin::TkLabel* kLabel4 = nullptr;

  // The mask the mask dialog edits: set before it opens, read after it closed.
  std::string maskText;
  std::string maskDescription;
  bool maskActive = false;

  void FormCreate(fw::TObject* Sender);
  void FormKeyPress(fw::TObject* Sender, char& Key);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);

  // Masks.
  void fillWC();
  void addWCClick(fw::TObject* Sender);
  void editWCClick(fw::TObject* Sender);
  void delWCClick(fw::TObject* Sender);
  void kListView1MouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  // A tick changed by the user, with the mouse or the keyboard, is saved at once.
  void kListView1Change(fw::TObject* Sender, fw::TListItem* Item, fw::TItemChange Change);

  // Exceptions.
  void fillExceptionFiles();
  void fillExceptionFolder();
  void kSpeedButton4Click(fw::TObject* Sender);
  void kSpeedButton5Click(fw::TObject* Sender);
  void kSpeedButton6Click(fw::TObject* Sender);
  void kSpeedButton7Click(fw::TObject* Sender);
  void kSpeedButton8Click(fw::TObject* Sender);
  void kSpeedButton9Click(fw::TObject* Sender);

  // Removal settings.
  void fillProgram();
  void recRBClick(fw::TObject* Sender);
  void delRBClick(fw::TObject* Sender);
  void fRBClick(fw::TObject* Sender);
  void fEditChange(fw::TObject* Sender);
  void fEditExit(fw::TObject* Sender);
  void scanCBClick(fw::TObject* Sender);

  // Skins.
  void GenerateSkinsList();
  void SkinsDirectoryEditChange(fw::TObject* Sender);
  void kButton1Click(fw::TObject* Sender);
  // The skin in use: the name of the skin the manager loaded, which is the stored skin when
  // the name asked for could not be loaded. Without an active skin, [Skin] SkinName of
  // program.ini, empty when absent.
  std::string GetCurrentSkin();

 protected:
  ~TfrmSettings() override;
  void CreateComponents() override;

 private:
  // The window's handlers run for its own settings of check boxes, radio buttons and texts
  // too; while this is set they change nothing.
  bool FFilling = false;
  // The user has typed into the removal folder's edit.
  bool FFolderTyped = false;
  // The ticks of the mask rows as last read from or written to ext.ini.
  std::vector<bool> FSavedTicks;

  std::string AppDir() const;
  skin::TkSkinManager* SkinManager() const;
  std::vector<bool> Ticks() const;
  // Selects the skin in use in the skin list (nothing when it is not listed).
  void SelectSkinInUse();
  // Rewrites ext.ini from the mask rows.
  void SaveMasks();
  // Opens the mask dialog on the three mask fields; true when it answered OK.
  bool EditMask();
  // The exception lists: fill from, add to, edit and delete from the list box and its file.
  void FillExceptions(skin::TkListBox* list, const char* file);
  void AddException(skin::TkListBox* list, const char* file, const char* prompt);
  void EditException(skin::TkListBox* list, const char* file, const char* caption, const char* prompt);
  void DeleteException(skin::TkListBox* list, const char* file, const char* question);
  // Enables the folder edit and the do-not-scan box (method 3) or disables them.
  void EnableFolder(bool enabled);
};

// The Settings window while it exists; the mask dialog reaches the mask fields through it.
extern TfrmSettings* frmSettings;

}  // namespace app
