// The Settings window end to end, opened from the main window's Settings button and driven with
// real clicks and keys while it is shown modally: opening and closing writes nothing, the junk
// masks and the mask dialog, the exception lists, the removal settings (and the Drive cleaner
// honouring them), the skin folder and skin. Files are compared byte for byte.
#include <deque>
#include <functional>
#include <map>

#include "app/tools/drive_cleaner.h"
#include "app/settings/add_mask_form.h"
#include "app/settings/settings_form.h"
#include "app/shared/config_defaults.h"
#include "app/shared/config_files.h"
#include "framework/msg/messages.h"
#include "main_window_fixture.h"
#include "support/held_file.h"
#include "support/list_view_input.h"

using app::frmMain;
using app::TfrmAddMask;
using app::TfrmSettings;
using testing_sandbox::ReadFile;
using testing_sandbox::WriteFile;

namespace {

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string DefaultExtIni() { return Lines(app::DefaultExtIniLines()); }

void ProcessMessages() {
  for (int i = 0; i < 3; ++i) fw::Application->ProcessMessages();
}

// A left click at the middle of the control: on its own window, or on its parent's for a
// windowless control.
void Click(fw::TControl* control) {
  auto* windowed = dynamic_cast<fw::TWinControl*>(control);
  HWND wnd = windowed ? windowed->GetHandle() : control->GetParent()->GetHandle();
  int x = control->GetWidth() / 2 + (windowed ? 0 : control->GetLeft());
  int y = control->GetHeight() / 2 + (windowed ? 0 : control->GetTop());
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, fw::PointToLParam(x, y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, fw::PointToLParam(x, y));
  ProcessMessages();
}

// Replaces the edit's text by typing: select all, then one character at a time.
void Type(fw::TCustomEdit* edit, const std::string& text) {
  edit->SetFocus();
  SendMessageA(edit->GetHandle(), EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageA(edit->GetHandle(), WM_CHAR, VK_BACK, 1);
  for (char c : text) SendMessageA(edit->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  ProcessMessages();
}

// The client point of the row's check box.
fw::TPoint StateIconPoint(fw::TCustomListView* list, fw::TListItem* item) {
  fw::TRect r = item->DisplayRect(LVIR_BOUNDS);
  int y = (r.Top + r.Bottom) / 2;
  for (int x = r.Left; x < r.Right; ++x)
    if (list->GetHitTestInfoAt(x, y).Contains(fw::htOnStateIcon)) return fw::TPoint(x + 3, y);
  ADD_FAILURE() << "no state icon found";
  return fw::TPoint(0, 0);
}

std::vector<std::string> Strings(const fw::TStrings* list) {
  std::vector<std::string> result;
  for (int i = 0; i < list->GetCount(); ++i) result.push_back(list->GetStrings(i));
  return result;
}

// The line selected in the skin list, "" when none.
std::string SelectedSkin(const TfrmSettings& form) {
  int index = form.SkinsListBox->GetItemIndex();
  return index < 0 ? std::string() : form.SkinsListBox->GetItems()->GetStrings(index);
}

// The scripted dialogs, also noting the caption of each input box.
struct TRecordingDialogs : fw::testing::TScriptedDialogs {
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override {
    Captions.push_back(caption);
    return TScriptedDialogs::InputQuery(caption, prompt, value);
  }
  std::vector<std::string> Captions;
};

class SettingsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    auto dialogs = std::make_unique<TRecordingDialogs>();
    scripted = recording = dialogs.get();
    fw::testing::SetDialogService(std::move(dialogs));
    config = appDir + "config\\";
    fw::CreateDir(config);
  }
  void TearDown() override {
    fw::Application->ModalHook = nullptr;
    EXPECT_TRUE(maskActions.empty()) << "a mask dialog that was expected did not open";
    MainWindowTest::TearDown();
  }

  // Presses the main window's Settings button and runs body while the window is shown; then
  // Escape closes it, and the window must be gone.
  void WithSettings(const std::function<void(TfrmSettings&)>& body) {
    bool shown = false;
    fw::Application->ModalHook = [&](fw::TCustomForm& form) {
      if (auto* settings = dynamic_cast<TfrmSettings*>(&form)) {
        shown = true;
        EXPECT_EQ(app::frmSettings, settings);
        body(*settings);
        settings->SetFocus();
        PressKey(VK_ESCAPE);
        if (settings->GetModalResult() == fw::mrNone) {
          ADD_FAILURE() << "Escape did not close the Settings window";
          settings->Close();
        }
      } else if (auto* mask = dynamic_cast<TfrmAddMask*>(&form)) {
        if (maskActions.empty()) {
          ADD_FAILURE() << "unexpected mask dialog";
        } else {
          auto action = maskActions.front();
          maskActions.pop_front();
          action(*mask);
        }
        if (mask->GetModalResult() == fw::mrNone) {
          ADD_FAILURE() << "the mask dialog stayed open";
          mask->Close();
        }
      }
    };
    Click(frmMain->btnSettings);
    Pump();
    fw::Application->ModalHook = nullptr;
    EXPECT_TRUE(shown);
    EXPECT_EQ(app::frmSettings, nullptr) << "the Settings window was not freed";
  }

  // Queues what the next mask dialog does: check the fields it shows, then fill and press OK.
  void MaskOk(const std::string& shownMask, const std::string& shownDescription, bool shownActive,
              const std::string& mask, const std::string& description, bool active) {
    maskActions.push_back([=](TfrmAddMask& dialog) {
      EXPECT_EQ(dialog.GetCaption(), "Junk file mask");
      EXPECT_EQ(dialog.kEdit1->GetText(), shownMask);
      EXPECT_EQ(dialog.kEdit2->GetText(), shownDescription);
      EXPECT_EQ(dialog.kCheckBox1->GetChecked(), shownActive);
      Type(dialog.kEdit1, mask);
      Type(dialog.kEdit2, description);
      if (dialog.kCheckBox1->GetChecked() != active) Click(dialog.kCheckBox1);
      Click(dialog.kBitBtn1);
    });
  }

  void SelectRow(TfrmSettings& form, int index) {
    form.kPageControl1->SetActivePage(form.kTabSheet1);
    fw::TListItem* row = form.kListView1->GetItems()->GetItem(index);
    row->MakeVisible(false);
    fw::TRect r = row->DisplayRect(LVIR_LABEL);
    SendMessageA(form.kListView1->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 fw::PointToLParam(r.Left + 5, (r.Top + r.Bottom) / 2));
    SendMessageA(form.kListView1->GetHandle(), WM_LBUTTONUP, 0, fw::PointToLParam(r.Left + 5, (r.Top + r.Bottom) / 2));
    ProcessMessages();
    ASSERT_EQ(form.kListView1->GetSelected(), row);
  }

  void SelectLine(skin::TkListBox* list, int index) {
    RECT r{};
    ASSERT_NE(SendMessageA(list->GetHandle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)), LB_ERR);
    LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
    SendMessageA(list->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list->GetHandle(), WM_LBUTTONUP, 0, at);
    ASSERT_EQ(list->GetItemIndex(), index);
  }

  TRecordingDialogs* recording = nullptr;
  std::string config;
  std::deque<std::function<void(TfrmAddMask&)>> maskActions;
};

// --- opening writes nothing ---

struct TOpenCase {
  const char* Name;
  // program.ini, with {F} for an existing folder and {M} for a missing one; null: the default
  // file that the main window writes.
  const char* ProgramIni;
  int Checked;  // 1 recRB, 2 delRB, 3 fRB
  bool ScanChecked;
  bool FolderShown;  // fEdit shows {F}; otherwise the program's deleted folder
};

void PrintTo(const TOpenCase& c, std::ostream* os) { *os << c.Name; }

class SettingsOpenTest : public SettingsTest, public ::testing::WithParamInterface<TOpenCase> {};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Every file of the folder (not below), by name, with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files[data.cFileName] = ReadFile(dir + data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return files;
}

TEST_P(SettingsOpenTest, OpeningAndClosingWritesNothing) {
  const TOpenCase& c = GetParam();
  std::string existing = folder + "target\\";
  fw::CreateDir(existing);
  std::string skins = folder + "skins";
  fw::ForceDirectories(skins + "\\Blue");
  WriteFile(skins + "\\Blue\\Options.dat", "[GLOBALINFO]\r\n");
  if (c.ProgramIni) {
    std::string ini = Replace(Replace(c.ProgramIni, "{F}", existing), "{M}", folder + "missing\\");
    WriteFile(config + "program.ini", "[Skin]\r\nSkinDirectory=" + skins + "\r\nSkinName=Blue\r\n" + ini);
    // Lines that would be written back differently if the masks were saved.
    WriteFile(config + "ext.ini", "*.a=A= true\r\n*.b=B=TRUE \r\n*.c=C=false\r\n*.d=D\r\n");
    WriteFile(config + "fileexcl.ini", "one.txt\r\ntwo.txt\r\n");
    WriteFile(config + "fldrexcl.ini", "C:\\keep\r\n");
  }
  Start();
  std::map<std::string, std::string> before = Snapshot(config);

  WithSettings([&](TfrmSettings& form) {
    EXPECT_EQ(form.recRB->GetChecked(), c.Checked == 1);
    EXPECT_EQ(form.delRB->GetChecked(), c.Checked == 2);
    EXPECT_EQ(form.fRB->GetChecked(), c.Checked == 3);
    EXPECT_EQ(form.fEdit->GetEnabled(), c.Checked == 3);
    EXPECT_EQ(form.scanCB->GetEnabled(), c.Checked == 3);
    EXPECT_EQ(form.scanCB->GetChecked(), c.ScanChecked);
    EXPECT_EQ(form.fEdit->GetText(), c.FolderShown ? existing : appDir + "deleted\\");
    // Every page shown once, as a user looking around would, passing through the folder edit.
    for (int i = 0; i < form.kPageControl1->GetPageCount(); ++i) {
      form.kPageControl1->SetActivePageIndex(i);
      ProcessMessages();
      if (i == 2 && form.fEdit->GetEnabled()) {
        form.fEdit->SetFocus();
        form.scanCB->SetFocus();
        EXPECT_EQ(GetFocus(), form.scanCB->GetHandle());
      }
    }
    if (c.ProgramIni) {
      EXPECT_EQ(form.kListView1->GetItems()->GetCount(), 4);
      EXPECT_EQ(Strings(form.kListBox1->GetItems()), (std::vector<std::string>{"one.txt", "two.txt"}));
      EXPECT_EQ(Strings(form.kListBox2->GetItems()), std::vector<std::string>{"C:\\keep"});
      EXPECT_EQ(form.SkinsDirectoryEdit->GetText(), skins);
      EXPECT_EQ(Strings(form.SkinsListBox->GetItems()), (std::vector<std::string>{"Blue", "Neutral (internal)"}));
      EXPECT_EQ(form.kLabel4->GetCaption(), "Blue");
      EXPECT_EQ(SelectedSkin(form), "Blue");
    } else {
      EXPECT_EQ(form.SkinsDirectoryEdit->GetText(), appDir + "Skins");
      EXPECT_EQ(Strings(form.SkinsListBox->GetItems()), std::vector<std::string>{"Neutral (internal)"});
      // program.ini asks for "Neutral", which is no skin folder: the stored skin is in use.
      EXPECT_EQ(form.kLabel4->GetCaption(), "Neutral (internal)");
      EXPECT_EQ(SelectedSkin(form), "Neutral (internal)");
    }
  });

  std::map<std::string, std::string> after = Snapshot(config);
  if (!c.ProgramIni) {
    // The missing mask file is created with its defaults; nothing else is written.
    EXPECT_EQ(after["ext.ini"], DefaultExtIni());
    after.erase("ext.ini");
  }
  EXPECT_EQ(after, before);
  EXPECT_FALSE(fw::DirectoryExists(folder + "missing"));
  EXPECT_TRUE(scripted->Texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsOpenTest,
    ::testing::Values(
        TOpenCase{"Default", nullptr, 1, true, false},
        TOpenCase{"Method1Scan1", "[Remove]\r\nMethod=1\r\nFolder={F}\r\nScan=1\r\n", 1, false, true},
        TOpenCase{"Method2MissingFolder", "[Remove]\r\nMethod=2\r\nFolder={M}\r\nScan=0\r\n", 2, true, false},
        TOpenCase{"Method3ScanEmpty", "[Remove]\r\nMethod=3\r\nFolder={F}\r\nScan=\r\n", 3, true, true},
        TOpenCase{"Method3ScanAbsentFolderEmpty", "[Remove]\r\nMethod=3\r\nFolder=\r\n", 3, true, false},
        TOpenCase{"Method3Scan1MissingFolder", "[Remove]\r\nMethod=3\r\nFolder={M}\r\nScan=1\r\n", 3, false, false},
        TOpenCase{"OddMethod", "[Remove]\r\nMethod=7\r\nFolder={F}\r\nScan=1\r\n", 1, false, true}),
    [](const ::testing::TestParamInfo<TOpenCase>& info) { return std::string(info.param.Name); });

// --- layout ---

TEST_F(SettingsTest, EveryControlHasItsCaptionHintAndDesignState) {
  Start();
  WithSettings([&](TfrmSettings& form) {
    EXPECT_EQ(form.GetCaption(), "Settings");
    EXPECT_EQ(form.GetBorderStyle(), fw::bsSingle);
    EXPECT_EQ(form.GetPosition(), fw::poMainFormCenter);
    EXPECT_TRUE(form.GetKeyPreview());
    const std::vector<std::vector<std::string>> controls = {{"kTabSheet1", "Wildcards"},
                                                            {"kTabSheet2", "Exceptions"},
                                                            {"kTabSheet3", "Removal settings"},
                                                            {"kTabSheet4", "Program"},
                                                            {"kLabelFX1", "Settings"},
                                                            {"kLabel1", "Program settings"},
                                                            {"addWC", "", "Add wildcard"},
                                                            {"editWC", "", "Edit wildcard"},
                                                            {"delWC", "", "Delete wildcard"},
                                                            {"kGroupBox1", "Files"},
                                                            {"kGroupBox2", "Folders"},
                                                            {"kSpeedButton4", "", "Add file exception"},
                                                            {"kSpeedButton5", "", "Edit file exception"},
                                                            {"kSpeedButton6", "", "Delete file exception"},
                                                            {"kSpeedButton7", "", "Addfolder exception"},
                                                            {"kSpeedButton8", "", "Edit folder exception"},
                                                            {"kSpeedButton9", "", "Delete folderexception"},
                                                            {"kGroupBox3", "Removal method"},
                                                            {"recRB", "Remove to the Recycle Bin"},
                                                            {"delRB", "Permanently delete"},
                                                            {"fRB", "Remove to the specific folder"},
                                                            {"kLabel2", "Select folder:"},
                                                            {"scanCB", "Do not scan this folder"},
                                                            {"kLabel5", "Skin directory :"},
                                                            {"kButton1", "Apply", "Apply skin"},
                                                            {"kLabel3", "Current skin:"},
                                                            {"kLabel4", "Neutral (internal)"},
                                                            {"kListView1"},
                                                            {"kListBox1"},
                                                            {"kListBox2"},
                                                            {"fEdit"},
                                                            {"SkinsDirectoryEdit"},
                                                            {"SkinsListBox"}};
    for (const std::vector<std::string>& c : controls) {
      auto* control = dynamic_cast<fw::TControl*>(form.FindComponent(c[0]));
      ASSERT_NE(control, nullptr) << c[0];
      if (c.size() > 1 && !c[1].empty()) {
        EXPECT_EQ(control->GetCaption(), c[1]) << c[0];
      }
      if (c.size() > 2) {
        EXPECT_EQ(control->GetHint(), c[2]) << c[0];
      }
    }
    EXPECT_TRUE(form.kListView1->GetCheckboxes());
    EXPECT_EQ(form.kListView1->GetViewStyle(), fw::vsReport);
    EXPECT_TRUE(form.kListView1->GetRowSelect());
    EXPECT_TRUE(form.kListView1->GetReadOnly());
    EXPECT_EQ(form.fEdit->GetRoot(), "rfDesktop");
    EXPECT_TRUE(form.fEdit->GetDialogOptions().Empty());
    EXPECT_FALSE(form.fEdit->GetGlyphMode()->GetGrayed());
    EXPECT_EQ(form.fEdit->GetMaxLength(), 255);
    EXPECT_EQ(form.SkinsDirectoryEdit->GetRoot(), "rfDesktop");
    EXPECT_EQ(form.SkinsDirectoryEdit->GetDialogOptions(),
              (skin::TSelectDirOpts{skin::sdAllowCreate, skin::sdPerformCreate, skin::sdPrompt}));
  });
}

// --- masks ---

TEST_F(SettingsTest, MaskRowsShowTheFileWithTheirTicks) {
  Start();
  WithSettings([&](TfrmSettings& form) {
    fw::TListItems* rows = form.kListView1->GetItems();
    const std::vector<std::string>& lines = app::DefaultExtIniLines();
    ASSERT_EQ(rows->GetCount(), 49);
    for (int i = 0; i < rows->GetCount(); ++i) {
      fw::TListItem* row = rows->GetItem(i);
      EXPECT_EQ(row->GetCaption() + "=" + row->GetSubItems()->GetStrings(0) + (row->GetChecked() ? "=true" : "=false"),
                lines[i]);
    }
    EXPECT_EQ(form.kListView1->GetColumn(0)->GetCaption(), "Wildcards");
    EXPECT_EQ(form.kListView1->GetColumn(0)->GetWidth(), 100);
    EXPECT_EQ(form.kListView1->GetColumn(1)->GetCaption(), "Description");
    EXPECT_EQ(form.kListView1->GetColumn(1)->GetWidth(), 253);
  });
  // The flag is read as the Drive cleaner reads it: trimmed, in any case; a leading byte-order
  // mark is no part of the first mask.
  WriteFile(config + "ext.ini", "\xEF\xBB\xBF*.a=A= true\r\n*.b=B=TRUE \r\n*.c=C=false\r\n*.d=D=yes\r\n");
  WithSettings([&](TfrmSettings& form) {
    fw::TListItems* rows = form.kListView1->GetItems();
    ASSERT_EQ(rows->GetCount(), 4);
    EXPECT_EQ(rows->GetItem(0)->GetCaption(), "*.a");
    EXPECT_EQ(rows->GetItem(0)->GetSubItems()->GetStrings(0), "A");
    std::vector<bool> ticks;
    for (int i = 0; i < rows->GetCount(); ++i) ticks.push_back(rows->GetItem(i)->GetChecked());
    EXPECT_EQ(ticks, (std::vector<bool>{true, true, false, false}));
  });
}

TEST_F(SettingsTest, AddAndEditMasksThroughTheDialog) {
  Start();
  std::vector<std::string> lines = app::DefaultExtIniLines();
  WithSettings([&](TfrmSettings& form) {
    // Add: an empty dialog; the line is appended as typed.
    MaskOk("", "", false, "*.zz", "Zed files", true);
    Click(form.addWC);
    lines.push_back("*.zz=Zed files=true");
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
    ASSERT_EQ(form.kListView1->GetItems()->GetCount(), 50);
    EXPECT_TRUE(form.kListView1->GetItems()->GetItem(49)->GetChecked());

    // Edit the first row and a middle row.
    SelectRow(form, 0);
    MaskOk("*.$$$", "MS-DOS Temporary Files", true, "*.one", "First", false);
    Click(form.editWC);
    lines[0] = "*.one=First=false";
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
    EXPECT_EQ(form.kListView1->GetItems()->GetItem(0)->GetCaption(), "*.one");
    EXPECT_FALSE(form.kListView1->GetItems()->GetItem(0)->GetChecked());
    SelectRow(form, 8);
    MaskOk("*.bup", "Backup Files", false, "*.bup", "Old backups", true);
    Click(form.editWC);
    lines[8] = "*.bup=Old backups=true";
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));

    // Cancel, and Escape, leave the row and the file's bytes as they were.
    SelectRow(form, 20);
    maskActions.push_back([](TfrmAddMask& dialog) {
      Type(dialog.kEdit1, "*.nothing");
      Click(dialog.kBitBtn2);
    });
    Click(form.editWC);
    maskActions.push_back([this](TfrmAddMask& dialog) {
      Type(dialog.kEdit2, "nothing");
      PressKey(VK_ESCAPE);
    });
    Click(form.editWC);
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
    EXPECT_EQ(form.kListView1->GetItems()->GetItem(20)->GetCaption(), "*.___");
    // Cancel on add adds nothing.
    maskActions.push_back([](TfrmAddMask& dialog) {
      Type(dialog.kEdit1, "*.new");
      Click(dialog.kBitBtn2);
    });
    Click(form.addWC);
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
    EXPECT_EQ(form.kListView1->GetItems()->GetCount(), 50);
  });
  EXPECT_TRUE(scripted->Texts.empty());
}

TEST_F(SettingsTest, EditWritesExtIniOnlyWhenOkChangedTheRow) {
  // Lines that a save would write back differently.
  const std::string original = "*.a=A= true\r\n*.b=B=TRUE \r\n*.c=C=false\r\n*.d=D\r\n";
  WriteFile(config + "ext.ini", original);
  Start();
  WithSettings([&](TfrmSettings& form) {
    SelectRow(form, 0);
    maskActions.push_back([](TfrmAddMask& dialog) {
      Type(dialog.kEdit1, "*.nothing");
      Click(dialog.kBitBtn2);
    });
    Click(form.editWC);
    EXPECT_EQ(ReadFile(config + "ext.ini"), original) << "Cancel";
    SelectRow(form, 1);
    maskActions.push_back([this](TfrmAddMask& dialog) {
      Click(dialog.kCheckBox1);
      PressKey(VK_ESCAPE);
    });
    Click(form.editWC);
    EXPECT_EQ(ReadFile(config + "ext.ini"), original) << "Escape";
    SelectRow(form, 3);
    MaskOk("*.d", "D", false, "*.d", "D", false);
    Click(form.editWC);
    EXPECT_EQ(ReadFile(config + "ext.ini"), original) << "OK on the row as it was";
    EXPECT_EQ(form.kListView1->GetItems()->GetItem(0)->GetCaption(), "*.a");
    EXPECT_TRUE(form.kListView1->GetItems()->GetItem(1)->GetChecked());

    SelectRow(form, 3);
    MaskOk("*.d", "D", false, "*.d", "D", true);
    Click(form.editWC);
    EXPECT_EQ(ReadFile(config + "ext.ini"), "*.a=A=true\r\n*.b=B=true\r\n*.c=C=false\r\n*.d=D=true\r\n");
  });
  EXPECT_TRUE(scripted->Texts.empty());
}

TEST_F(SettingsTest, MaskDialogRefusesEqualsSignsAndEmptyMasks) {
  Start();
  // Each OK is refused with a message, and the dialog stays open until Cancel.
  auto refusals = [this](TfrmAddMask& dialog) {
    for (auto [mask, description] :
         {std::pair{"*.a=b", "x"}, std::pair{"*.q", "x=y"}, std::pair{"", "x"}, std::pair{"  ", "x"}}) {
      scripted->Texts.clear();
      Type(dialog.kEdit1, mask);
      Type(dialog.kEdit2, description);
      Click(dialog.kBitBtn1);
      EXPECT_EQ(scripted->Texts.size(), 1u) << mask << " / " << description;
      EXPECT_EQ(dialog.GetModalResult(), fw::mrNone);
      EXPECT_TRUE(IsWindowVisible(dialog.GetHandle()));
    }
    Click(dialog.kBitBtn2);
  };
  WithSettings([&](TfrmSettings& form) {
    maskActions.push_back(refusals);
    Click(form.addWC);
    SelectRow(form, 3);
    maskActions.push_back(refusals);
    Click(form.editWC);
    EXPECT_EQ(form.kListView1->GetItems()->GetItem(3)->GetCaption(), "*._dd");
  });
  EXPECT_EQ(ReadFile(config + "ext.ini"), DefaultExtIni());
}

TEST_F(SettingsTest, DeleteMaskRows) {
  Start();
  std::vector<std::string> lines = app::DefaultExtIniLines();
  WithSettings([&](TfrmSettings& form) {
    // No selection: nothing is asked, nothing changes.
    Click(form.delWC);
    EXPECT_TRUE(scripted->Texts.empty());
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));

    SelectRow(form, 10);
    scripted->Answers.push_back(fw::mrCancel);
    Click(form.delWC);
    EXPECT_EQ(scripted->Texts, std::vector<std::string>{"Do you want to delete entry?"});
    EXPECT_EQ(form.kListView1->GetItems()->GetCount(), 49);
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));

    scripted->Answers.push_back(fw::mrOk);
    Click(form.delWC);
    lines.erase(lines.begin() + 10);
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
    EXPECT_EQ(form.kListView1->GetItems()->GetCount(), 48);
  });
}

TEST_F(SettingsTest, TicksByMouseAndSpaceBarAreSavedAtOnce) {
  Start();
  std::vector<std::string> lines = app::DefaultExtIniLines();
  WithSettings([&](TfrmSettings& form) {
    ProcessMessages();
    HWND list = form.kListView1->GetHandle();
    // A real click on the state icon of row 8 ("*.bup", unticked).
    fw::TPoint p = StateIconPoint(form.kListView1, form.kListView1->GetItems()->GetItem(8));
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, fw::PointToLParam(p.X, p.Y));
    PostMessageA(list, WM_LBUTTONUP, 0, fw::PointToLParam(p.X, p.Y));
    ProcessMessages();
    lines[8] = "*.bup=Backup Files=true";
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
    // The space bar on the selected row (the first) unticks it.
    SelectRow(form, 0);
    form.kListView1->SetFocus();
    PressKey(VK_SPACE);
    EXPECT_FALSE(form.kListView1->GetItems()->GetItem(0)->GetChecked());
    lines[0] = "*.$$$=MS-DOS Temporary Files=false";
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
    // Selecting other rows writes nothing.
    WriteFile(config + "ext.ini", "changed elsewhere\r\n");
    SelectRow(form, 5);
    SelectRow(form, 6);
    EXPECT_EQ(ReadFile(config + "ext.ini"), "changed elsewhere\r\n");
  });
}

// Real clicks through the input queue: a click in a row's Description chooses the row and
// nothing else, as in every check-box list; only a click on the box ticks and saves.
TEST_F(SettingsTest, AClickBesideTheBoxSelectsTheRowWithoutTickingIt) {
  Start();
  std::vector<std::string> lines = app::DefaultExtIniLines();
  WithSettings([&](TfrmSettings& form) {
    ProcessMessages();
    fw::TCustomListView* list = form.kListView1;
    std::string saved = ReadFile(config + "ext.ini");
    auto clickDescription = [&](int index) {
      fw::TListItem* row = list->GetItems()->GetItem(index);
      fw::TRect r = row->DisplayRect(LVIR_BOUNDS);
      POINT at{list->GetColumns()->GetItems(0)->GetWidth() + 20, (r.Top + r.Bottom) / 2};
      ClientToScreen(list->GetHandle(), &at);
      SetForegroundWindow(form.GetHandle());
      SetCursorPos(at.x, at.y);
      ProcessMessages();
      Sleep(600);  // not a double click with the click before
      testing_support::SendLeftButtons({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
      testing_support::PumpMessages();
      EXPECT_EQ(list->GetSelected(), row) << index;
    };
    clickDescription(0);  // ticked
    clickDescription(8);  // not ticked
    EXPECT_TRUE(list->GetItems()->GetItem(0)->GetChecked());
    EXPECT_FALSE(list->GetItems()->GetItem(8)->GetChecked());
    EXPECT_EQ(ReadFile(config + "ext.ini"), saved);
    // The box itself ticks the row and saves it.
    Sleep(600);
    testing_support::PointAtCheckBox(list, list->GetItems()->GetItem(8), form.GetHandle());
    testing_support::SendLeftButtons({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    testing_support::PumpMessages();
    EXPECT_TRUE(list->GetItems()->GetItem(8)->GetChecked());
    lines[8] = "*.bup=Backup Files=true";
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
  });
}

// A mask file of 350,000 lines: the window opens with every row within a few seconds and closes
// as quickly (a window given each row of its own takes many times that), and a tick saves the
// whole list back with the one change.
TEST_F(SettingsTest, AVeryLongMaskListOpensAtOnceAndIsSavedWhole) {
  const int count = 350000;
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i)
    lines.push_back("*.x" + std::to_string(i) + "=Mask " + std::to_string(i) + (i % 3 ? "=true" : "=false"));
  WriteFile(config + "ext.ini", Lines(lines));
  Start();
  DWORD opening = GetTickCount(), opened = 0, closing = 0;
  WithSettings([&](TfrmSettings& form) {
    opened = GetTickCount() - opening;
    fw::TListItems* rows = form.kListView1->GetItems();
    ASSERT_EQ(rows->GetCount(), count);
    for (int i : {0, count / 2, count - 1}) {
      EXPECT_EQ(rows->GetItem(i)->GetCaption(), "*.x" + std::to_string(i));
      EXPECT_EQ(rows->GetItem(i)->GetSubItems()->GetStrings(0), "Mask " + std::to_string(i));
      EXPECT_EQ(rows->GetItem(i)->GetChecked(), i % 3 != 0);
    }
    // The space bar on the last row, as the window shows it.
    SelectRow(form, count - 1);
    EXPECT_EQ(testing_gui::ListViewCellText(form.kListView1->GetHandle(), count - 1, 0), L"*.x349999");
    form.kListView1->SetFocus();
    PressKey(VK_SPACE);
    lines.back() = "*.x349999=Mask 349999=false";
    EXPECT_EQ(ReadFile(config + "ext.ini"), Lines(lines));
    closing = GetTickCount();
  });
  EXPECT_LT(opened, 5000u);
  EXPECT_LT(GetTickCount() - closing, 5000u);
}

// --- exceptions ---

struct TExceptionList {
  skin::TkListBox* TfrmSettings::*List;
  skin::TkSpeedButton* TfrmSettings::*Add;
  skin::TkSpeedButton* TfrmSettings::*Edit;
  skin::TkSpeedButton* TfrmSettings::*Delete;
  const char* File;
  const char* Prompt;
  const char* EditCaption;
  const char* Question;
};

TEST_F(SettingsTest, ExceptionListsAreEditedAndSaved) {
  const TExceptionList lists[] = {{&TfrmSettings::kListBox1, &TfrmSettings::kSpeedButton4, &TfrmSettings::kSpeedButton5,
                                   &TfrmSettings::kSpeedButton6, "fileexcl.ini", "Enter new exception file",
                                   "Exception files", "Do you want to delete entry?"},
                                  {&TfrmSettings::kListBox2, &TfrmSettings::kSpeedButton7, &TfrmSettings::kSpeedButton8,
                                   &TfrmSettings::kSpeedButton9, "fldrexcl.ini", "Enter new exception folder",
                                   "Exception folder", "Do you want to delete entry?"}};
  Start();
  for (const TExceptionList& l : lists) {
    SCOPED_TRACE(l.File);
    std::string file = config + l.File;
    ASSERT_FALSE(fw::FileExists(file));
    scripted->Texts.clear();
    recording->Captions.clear();
    WithSettings([&](TfrmSettings& form) {
      form.kPageControl1->SetActivePage(form.kTabSheet2);
      ProcessMessages();
      skin::TkListBox* list = form.*l.List;
      // With no selection Edit and Delete do nothing; an empty answer adds nothing.
      Click(form.*l.Edit);
      Click(form.*l.Delete);
      scripted->Inputs.push_back("");
      Click(form.*l.Add);
      EXPECT_EQ(scripted->Texts, std::vector<std::string>{l.Prompt});
      EXPECT_FALSE(fw::FileExists(file));

      for (const char* entry : {"first.tmp", "C:\\second", "third"}) {
        scripted->Inputs.push_back(entry);
        Click(form.*l.Add);
      }
      EXPECT_EQ(ReadFile(file), "first.tmp\r\nC:\\second\r\nthird\r\n");

      // Edit the first entry; an empty answer keeps it.
      SelectLine(list, 0);
      scripted->Texts.clear();
      scripted->Inputs.push_back("renamed.tmp");
      Click(form.*l.Edit);
      EXPECT_EQ(scripted->Texts, std::vector<std::string>{l.Prompt});
      scripted->Inputs.push_back("");
      Click(form.*l.Edit);
      EXPECT_EQ(ReadFile(file), "renamed.tmp\r\nC:\\second\r\nthird\r\n");

      // Delete: Cancel keeps, OK removes the selected entry.
      SelectLine(list, 1);
      scripted->Texts.clear();
      scripted->Answers.push_back(fw::mrCancel);
      Click(form.*l.Delete);
      EXPECT_EQ(scripted->Texts, std::vector<std::string>{l.Question});
      EXPECT_EQ(ReadFile(file), "renamed.tmp\r\nC:\\second\r\nthird\r\n");
      scripted->Answers.push_back(fw::mrOk);
      Click(form.*l.Delete);
      EXPECT_EQ(ReadFile(file), "renamed.tmp\r\nthird\r\n");
      EXPECT_EQ(Strings(list->GetItems()), (std::vector<std::string>{"renamed.tmp", "third"}));
    });
    std::vector<std::string> captions(4, "New entry");
    captions.insert(captions.end(), 2, l.EditCaption);
    EXPECT_EQ(recording->Captions, captions);
    // The next window shows the saved list.
    WithSettings([&](TfrmSettings& form) {
      EXPECT_EQ(Strings((form.*l.List)->GetItems()), (std::vector<std::string>{"renamed.tmp", "third"}));
    });
  }
}

// --- removal settings ---

// program.ini as the default file becomes with these removal values.
std::string ProgramIni(const std::string& method, const std::string& folder, const std::string& scan) {
  return "[Skin]\r\nSkinName=Neutral\r\n[Remove]\r\nMethod=" + method + "\r\nFolder=" + folder + "\r\nScan=" + scan +
         "\r\n[DF]\r\nmode=1\r\n";
}

class SettingsRemovalTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    currentDir = fw::GetCurrentDir();
  }
  void TearDown() override {
    // The folder button makes its start folder the current one.
    fw::SetCurrentDir(currentDir);
    SettingsTest::TearDown();
  }
  std::string currentDir;
};

TEST_F(SettingsRemovalTest, EachClickAndKeystrokeIsWrittenAtOnce) {
  Start();
  std::string deleted = appDir + "deleted\\";
  WithSettings([&](TfrmSettings& form) {
    form.kPageControl1->SetActivePage(form.kTabSheet3);
    ProcessMessages();
    Click(form.delRB);
    EXPECT_TRUE(form.delRB->GetChecked());
    EXPECT_FALSE(form.recRB->GetChecked());
    EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("2", "", ""));
    EXPECT_FALSE(form.fEdit->GetEnabled());
    EXPECT_FALSE(form.scanCB->GetEnabled());

    Click(form.fRB);
    EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("3", deleted, "0"));
    EXPECT_EQ(form.fEdit->GetText(), deleted);
    EXPECT_TRUE(form.fEdit->GetEnabled());
    EXPECT_TRUE(form.scanCB->GetEnabled());

    // Typing: Folder follows every keystroke.
    form.fEdit->SetFocus();
    SendMessageA(form.fEdit->GetHandle(), EM_SETSEL, 0, -1);
    std::string typed;
    for (char c : std::string("C:\\bin")) {
      SendMessageA(form.fEdit->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
      typed += c;
      EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("3", typed, "0"));
    }
    SendMessageA(form.fEdit->GetHandle(), WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("3", "C:\\bi", "0"));

    Click(form.scanCB);
    EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("3", "C:\\bi", "1"));
    Click(form.scanCB);
    EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("3", "C:\\bi", "0"));

    // Back to the recycle bin: Method alone changes.
    Click(form.recRB);
    EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("1", "C:\\bi", "0"));
    EXPECT_FALSE(form.fEdit->GetEnabled());
    EXPECT_FALSE(form.scanCB->GetEnabled());
  });
  EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("1", "C:\\bi", "0"));
}

TEST_F(SettingsRemovalTest, ChoosingTheFolderMethodWithAMissingFolderSavesTheDeletedFolder) {
  std::string missing = folder + "missing\\";
  WriteFile(config + "program.ini", ProgramIni("1", missing, "1"));
  Start();
  WithSettings([&](TfrmSettings& form) {
    form.kPageControl1->SetActivePage(form.kTabSheet3);
    ProcessMessages();
    EXPECT_EQ(form.fEdit->GetText(), appDir + "deleted\\");
    EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("1", missing, "1"));
    Click(form.fRB);
    EXPECT_EQ(form.fEdit->GetText(), appDir + "deleted\\");
    EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("3", appDir + "deleted\\", "1"));
  });
}

TEST_F(SettingsRemovalTest, TheDriveCleanerMovesIntoTheChosenFolderAndSkipsIt) {
  std::string tree = folder + "tree\\";
  std::string bin = folder + "bin";
  fw::ForceDirectories(tree);
  fw::ForceDirectories(bin);
  WriteFile(tree + "a.tmp", "aaaa");
  WriteFile(tree + "keep.txt", "k");
  WriteFile(bin + "\\old.tmp", "old");
  WriteFile(config + "usrfldr.ini", tree + "\r\n");
  Start();
  std::vector<std::string> chooserStarts;
  scriptedFiles->OnBrowse = [&](fw::TBrowseFolderRequest& request) {
    std::string& path = request.Directory;
    chooserStarts.push_back(path);
    path = bin;
    return true;
  };
  WithSettings([&](TfrmSettings& form) {
    form.kPageControl1->SetActivePage(form.kTabSheet3);
    ProcessMessages();
    Click(form.fRB);
    ASSERT_TRUE(form.scanCB->GetChecked());
    // The folder button: the dialog starts in the edit's folder, and the chosen one is saved.
    Click(form.fEdit->GetButton());
    EXPECT_EQ(form.fEdit->GetText(), bin);
    EXPECT_EQ(form.fEdit->GetInitialDir(), bin);
  });
  EXPECT_EQ(chooserStarts, std::vector<std::string>{appDir + "deleted"});
  EXPECT_EQ(ReadFile(config + "program.ini"), ProgramIni("3", bin, "0"));

  fw::TListItems* paths = frmMain->DriveCleaner().lvDCDrive->GetItems();
  paths->GetItem(paths->GetCount() - 1)->SetChecked(true);
  frmMain->DriveCleaner().btnDCSearch->Click();
  ASSERT_EQ(frmMain->DriveCleaner().lvDCResult->GetItems()->GetCount(), 1);
  EXPECT_EQ(frmMain->DriveCleaner().lvDCResult->GetItems()->GetItem(0)->GetCaption(), tree + "a.tmp");
  frmMain->DriveCleaner().kBitBtn5->Click();
  scripted->Answers.push_back(fw::mrYes);
  frmMain->DriveCleaner().btnDCDelete->Click();
  EXPECT_FALSE(fw::FileExists(tree + "a.tmp"));
  EXPECT_EQ(ReadFile(bin + "\\a.tmp"), "aaaa");
  // The files now in the folder are not listed again.
  frmMain->DriveCleaner().btnDCSearch->Click();
  EXPECT_EQ(frmMain->DriveCleaner().lvDCResult->GetItems()->GetCount(), 0);
  EXPECT_TRUE(fw::FileExists(bin + "\\old.tmp"));
}

// --- skins ---

TEST_F(SettingsTest, SkinFolderAndSkinAreChosenAndKept) {
  std::string skins = folder + "skins";
  for (const char* name : {"Zeta", "alpha"}) {
    fw::ForceDirectories(skins + "\\" + name);
    WriteFile(skins + "\\" + name + "\\Options.dat", "[GLOBALINFO]\r\n");
  }
  fw::ForceDirectories(skins + "\\plain");
  Start();
  skin::TkSkinManager* manager = frmMain->skinManager;
  int changes = 0;
  manager->OnAfterChange = [&](fw::TObject*) { ++changes; };
  scriptedFiles->OnBrowse = [&](fw::TBrowseFolderRequest& request) {
    std::string& path = request.Directory;
    path = skins;
    return true;
  };
  std::string current = fw::GetCurrentDir();
  std::string withFolder = "[Skin]\r\nSkinName=Neutral\r\nSkinDirectory=" + skins +
                           "\r\n[Remove]\r\nMethod=\r\nFolder=\r\nScan=\r\n[DF]\r\nmode=1\r\n";
  WithSettings([&](TfrmSettings& form) {
    form.kPageControl1->SetActivePage(form.kTabSheet4);
    ProcessMessages();
    EXPECT_EQ(Strings(form.SkinsListBox->GetItems()), std::vector<std::string>{"Neutral (internal)"});
    // A folder chosen with the folder button is saved and listed, sorted, with the internal skin.
    Click(form.SkinsDirectoryEdit->GetButton());
    EXPECT_EQ(form.SkinsDirectoryEdit->GetText(), skins);
    EXPECT_EQ(manager->GetSkinDirectory(), skins);
    EXPECT_EQ(ReadFile(config + "program.ini"), withFolder);
    EXPECT_EQ(Strings(form.SkinsListBox->GetItems()),
              (std::vector<std::string>{"alpha", "Neutral (internal)", "Zeta"}));
    // A folder that does not exist changes nothing.
    SetWindowTextA(form.SkinsDirectoryEdit->GetHandle(), (folder + "nope").c_str());
    ProcessMessages();
    EXPECT_EQ(manager->GetSkinDirectory(), skins);
    EXPECT_EQ(ReadFile(config + "program.ini"), withFolder);
    EXPECT_EQ(form.SkinsListBox->GetItems()->GetCount(), 3);

    // Apply with nothing selected does nothing.
    EXPECT_EQ(form.kLabel4->GetCaption(), "Neutral (internal)");
    EXPECT_EQ(SelectedSkin(form), "Neutral (internal)");
    form.SkinsListBox->SetItemIndex(-1);
    Click(form.kButton1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ReadFile(config + "program.ini"), withFolder);

    SelectLine(form.SkinsListBox, 2);
    Click(form.kButton1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(manager->GetSkinName(), "Zeta");
    EXPECT_EQ(form.kLabel4->GetCaption(), "Zeta");
    EXPECT_EQ(SelectedSkin(form), "Zeta");
    std::string withSkin = Replace(withFolder, "SkinName=Neutral", "SkinName=Zeta");
    EXPECT_EQ(ReadFile(config + "program.ini"), withSkin);
    // The current skin again, and the line shown when there are no skins, do nothing.
    Click(form.kButton1);
    form.SkinsListBox->GetItems()->Clear();
    form.SkinsListBox->GetItems()->Add(app::kNoSkinsAvailable);
    SelectLine(form.SkinsListBox, 0);
    Click(form.kButton1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(manager->GetSkinName(), "Zeta");
    EXPECT_EQ(ReadFile(config + "program.ini"), withSkin);
  });
  fw::SetCurrentDir(current);
  // The next window shows the folder and the skin.
  WithSettings([&](TfrmSettings& form) {
    EXPECT_EQ(form.SkinsDirectoryEdit->GetText(), skins);
    EXPECT_EQ(form.SkinsListBox->GetItems()->GetCount(), 3);
    EXPECT_EQ(form.kLabel4->GetCaption(), "Zeta");
    EXPECT_EQ(SelectedSkin(form), "Zeta");
  });
  // So does the next start of the program.
  fw::ShutdownForms();
  fw::StartupForms();
  Start();
  EXPECT_EQ(frmMain->skinManager->GetSkinDirectory(), skins);
  EXPECT_EQ(frmMain->skinManager->GetSkinName(), "Zeta");
}

// The "Program" page shows and selects the skin in use: the stored one where program.ini names
// no skin folder, a folder skin once applied, and the stored one again when the chosen skin
// cannot be loaded, which is also the name program.ini keeps. A program.ini that cannot be
// written is reported, and the page still shows the skin in use.
TEST_F(SettingsTest, TheSkinInUseIsShownSelectedAndKept) {
  std::string skins = folder + "skins";
  fw::ForceDirectories(skins + "\\Blue");
  WriteFile(skins + "\\Blue\\Options.dat", "[GLOBALINFO]\r\n");
  fw::ForceDirectories(skins + "\\Empty");
  WriteFile(skins + "\\Empty\\Options.dat", "");
  WriteFile(config + "program.ini", "[Skin]\r\nSkinDirectory=" + skins + "\r\nSkinName=Neutral\r\n");
  Start();
  skin::TkSkinManager* manager = frmMain->skinManager;
  auto apply = [&](TfrmSettings& form, const std::string& name) {
    SelectLine(form.SkinsListBox, form.SkinsListBox->GetItems()->IndexOf(name));
    Click(form.kButton1);
  };
  auto shows = [&](TfrmSettings& form, const std::string& name) {
    EXPECT_EQ(manager->GetSkinName(), name);
    EXPECT_EQ(form.kLabel4->GetCaption(), name);
    EXPECT_EQ(SelectedSkin(form), name);
  };
  WithSettings([&](TfrmSettings& form) {
    form.kPageControl1->SetActivePage(form.kTabSheet4);
    ProcessMessages();
    EXPECT_EQ(Strings(form.SkinsListBox->GetItems()),
              (std::vector<std::string>{"Blue", "Empty", "Neutral (internal)"}));
    shows(form, "Neutral (internal)");
    apply(form, "Blue");
    shows(form, "Blue");
    EXPECT_EQ(app::ReadSkinName(appDir, ""), "Blue");

    apply(form, "Empty");
    ASSERT_EQ(scripted->Texts.size(), 1u);
    EXPECT_NE(scripted->Texts[0].find("Skin \"Empty\" could not be loaded"), std::string::npos) << scripted->Texts[0];
    shows(form, "Neutral (internal)");
    EXPECT_EQ(app::ReadSkinName(appDir, ""), "Neutral (internal)");
  });
  WithSettings([&](TfrmSettings& form) {
    shows(form, "Neutral (internal)");
    {
      testing_support::THeldFile held(config + "program.ini");
      apply(form, "Blue");
    }
    ASSERT_EQ(scripted->Exceptions.size(), 1u);
    EXPECT_NE(scripted->Exceptions[0].find("program.ini"), std::string::npos) << scripted->Exceptions[0];
    shows(form, "Blue");
    EXPECT_EQ(app::ReadSkinName(appDir, ""), "Neutral (internal)");
  });
}

// --- damaged files ---

// An ext.ini of broken UTF-8 with NULs inside lines: the window opens and lists every line, each
// shown up to its first NUL with every invalid or cut sequence as U+FFFD and nothing after it.
TEST_F(SettingsTest, MasksOfInvalidUtf8AreListedAsTheyRead) {
  const unsigned char bytes[] = {0x5B, 0xFE, 0x5B, 0x5B, 0x43, 0x0D, 0x0A, 0x00, 0x5B, 0x3D,
                                 0x00, 0xFF, 0x0D, 0x0A, 0x0D, 0x0A, 0x7F, 0xEF, 0x0D, 0x0A};
  std::string ext(reinterpret_cast<const char*>(bytes), sizeof bytes);
  Start();
  WriteFile(config + "ext.ini", ext);
  WithSettings([&](TfrmSettings& form) {
    fw::TListItems* rows = form.kListView1->GetItems();
    ASSERT_EQ(rows->GetCount(), 4);
    std::vector<std::vector<std::wstring>> shown;
    for (int i = 0; i < rows->GetCount(); ++i)
      shown.push_back({testing_gui::ListViewCellText(form.kListView1->GetHandle(), i, 0),
                       testing_gui::ListViewCellText(form.kListView1->GetHandle(), i, 1)});
    EXPECT_EQ(shown, (std::vector<std::vector<std::wstring>>{
                         {L"[\xFFFD[[C", L""}, {L"", L""}, {L"", L""}, {L"\x7F\xFFFD", L""}}));
    // The rows keep the file's own bytes.
    EXPECT_EQ(rows->GetItem(3)->GetCaption(), "\x7F\xEF");
  });
  EXPECT_EQ(ReadFile(config + "ext.ini"), ext);
}

}  // namespace
