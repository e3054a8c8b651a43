// TfrmChangeAttribute ("Change attribute"): the Attribute manager's dialog that sets the
// read-only, archive, system and hidden attributes and, on request, the three times of the
// files and folders chosen in the list, the chosen folders' contents too when "Include
// subfolders" is ticked. The mode names what is changed: 0 folders only, 1 files only, 2 both.
// OK reads the chosen paths once, changes each in list order (times first, then attributes),
// never enters a link, tells the shell views which chosen items changed, lists in one warning
// what could not be changed, and closes. Cancel and Escape change nothing; closing frees it.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/comctrls/date_time_picker.h"
#include "framework/forms/custom_form.h"
#include "framework/win.h"
#include "services/shell/shell_item_list.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/group_box.h"
#include "skin/controls/label.h"

namespace app {

// The attribute word for an item: the four offered bits (read-only, hidden, system, archive) as
// ticked, every other settable bit as the item has it; FILE_ATTRIBUTE_NORMAL when none remains.
DWORD ChangedAttributeWord(DWORD current, DWORD ticked);

// The warning of a run with failures: "Some items could not be changed:", then one
// "path: reason" line per item, at most 20, and "and n more" for the rest.
std::string FailureReport(const std::vector<std::string>& lines);

class TfrmChangeAttribute : public fw::TForm {
  FW_CLASS(TfrmChangeAttribute, fw::TForm)
 public:
  explicit TfrmChangeAttribute(fw::TComponent* owner);

  skin::TkCheckBox* kCheckBox1 = nullptr;  // "Include subfolders"
  skin::TkGroupBox* kGroupBox1 = nullptr;  // "Attribute"
  skin::TkCheckBox* kCheckBox2 = nullptr;  // "Read Only"
  skin::TkCheckBox* kCheckBox3 = nullptr;  // "Archive"
  skin::TkCheckBox* kCheckBox4 = nullptr;  // "System"
  skin::TkCheckBox* kCheckBox5 = nullptr;  // "Hidden"
  skin::TkCheckBox* kCheckBox6 = nullptr;  // "Use DateTime"
  skin::TkGroupBox* kGroupBox2 = nullptr;  // "DateTime"
  skin::TkLabel* kLabel1 = nullptr;
  skin::TkLabel* kLabel2 = nullptr;
  skin::TkLabel* kLabel3 = nullptr;
  fw::TDateTimePicker* DateTimePicker1 = nullptr;  // created: date
  fw::TDateTimePicker* DateTimePicker2 = nullptr;  // created: time
  fw::TDateTimePicker* DateTimePicker3 = nullptr;  // modified: date
  fw::TDateTimePicker* DateTimePicker4 = nullptr;  // modified: time
  fw::TDateTimePicker* DateTimePicker5 = nullptr;  // accessed: date
  fw::TDateTimePicker* DateTimePicker6 = nullptr;  // accessed: time
  skin::TkButton* kButton1 = nullptr;  // "Current" of each row
  skin::TkButton* kButton2 = nullptr;
  skin::TkButton* kButton3 = nullptr;
  skin::TkBitBtn* kBitBtn1 = nullptr;  // OK
  skin::TkBitBtn* kBitBtn2 = nullptr;  // Cancel

  // Set by the opener: 0 folders only, 1 files only, 2 files and folders; the list view's
  // selected items (not owned, read when OK is pressed).
  int changeMode = 0;
  svc::TSvShellItemList* selItems = nullptr;

  void FormKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void kButton1Click(fw::TObject* Sender);
  void kButton2Click(fw::TObject* Sender);
  void kButton3Click(fw::TObject* Sender);
  void kBitBtn1Click(fw::TObject* Sender);
  void kBitBtn2Click(fw::TObject* Sender);

  // Walks folder depth first in the order the system lists it, never into a link: mode 0
  // applies to and walks every subfolder, mode 1 walks every subfolder and applies to the
  // files, mode 2 applies to every entry and walks every subfolder. A folder is changed after
  // its contents, so listing it does not move the access time just set. What fails is listed
  // when OK next finishes.
  void FindFile(int mode, const std::string& folder);

 protected:
  ~TfrmChangeAttribute() override = default;
  void CreateComponents() override;

 private:
  // Whether a handle opened on an item without following a link stands for the item itself.
  using TIsItself = std::function<bool(HANDLE)>;
  // Times (when "Use DateTime" is ticked), then the attribute word, through one handle; a
  // failure is noted with the path and the system's reason. An item the handle does not stand
  // for itself (a link the system follows) is not changed but noted. True when both calls
  // succeeded.
  bool Apply(const std::string& path, DWORD attributes, const TIsItself& isItself);
  // A failure line: the path as the user reads it and the reason.
  void Note(const std::string& path, const std::string& reason);
  void Fail(const std::string& path, DWORD error);
  // One chosen item, by the mode and "Include subfolders"; true when the item itself changed.
  bool ApplyChosen(const std::string& path);

  // The run's settings and what it met.
  DWORD FTicked = 0;
  bool FUseTimes = false;
  FILETIME FCreated{}, FModified{}, FAccessed{};
  std::vector<std::string> FFailures;
};

namespace testing {
// The calls OK makes on each item, through the handle it opened on the item at path: setting
// its times and its attribute word (as SetFileTimes and SetAttributeWord of file_times.h). Each
// answers as the call it stands for (a failure sets the last error); the base class makes the
// real calls, so a test derives and makes one fail.
class TAttributeCalls {
 public:
  virtual ~TAttributeCalls() = default;
  virtual bool SetTimes(HANDLE file, const std::string& path, const FILETIME& creation, const FILETIME& lastAccess,
                        const FILETIME& lastWrite);
  virtual bool SetAttributes(HANDLE file, const std::string& path, DWORD attributes);
};
// Takes calls owned by the caller (null: the real ones) and returns the previous ones.
TAttributeCalls* SetAttributeCalls(TAttributeCalls* calls);
}  // namespace testing

}  // namespace app
