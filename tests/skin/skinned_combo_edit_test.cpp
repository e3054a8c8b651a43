// The combo edit and the directory edit against the control test skin: the glyph sizes (none
// without a glyph, 20 for "SR"), the edit rectangle left of the 22-pixel button, ShowButton,
// DirectInput, Alt+Down, dropped files, the folder texts under MultipleDirs, the picker
// replacing the text with a skin and the browser appending to it without, the idle and hot looks
// (the edit's face and the glyph frame on the button), and the skin commands.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "framework/forms/application.h"
#include "framework/msg/messages.h"
#include "framework/rtl/wide_text.h"
#include "framework/rtl/file_utils.h"
#include "framework/stdctrls/button.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/directory_edit.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_utils.h"
#include "support/panel_form_fixture.h"
#include "support/sandbox.h"

namespace {

using namespace control_skin;
using control_shots::WindowShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

// A WM_DROPFILES handle of the names, as the shell builds it (wide names, double NUL).
HDROP DropOf(const std::vector<std::string>& names) {
  std::wstring list;
  for (const std::string& name : names) list += fw::Utf8ToWide(name) + L'\0';
  list += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class SkinnedComboEditTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    folder = testing_sandbox::TestFolder();
    currentDir = fw::GetCurrentDir();
    {
      fw::TLoadScope scope;
      MakeForm(420, 200, fw::TRect(0, 0, 400, 160));
      focus = Place<fw::TEdit>(panel, 10, 120, 60, 24);
      edit = Place<skin::TkDirectoryEdit>(panel, 20, 20, 260, 21);
      edit->SetNoChangeDir(true);
      plain = Place<skin::TkCustomComboEdit>(panel, 20, 60, 200, 21);
    }
    ShowForm();
    focus->SetFocus();
    Settle();
    scriptedFiles->OnBrowse = [this](fw::TBrowseFolderRequest& request) {
      requests.push_back(request);
      if (answer.empty()) return false;
      request.Directory = answer;
      return true;
    };
  }
  void TearDown() override {
    fw::SetCurrentDir(currentDir);
    PanelFormTest::TearDown();
  }
  void ClickButton(skin::TkCustomComboEdit* e) {
    skin::TkEditButton* button = e->GetButton();
    const LPARAM at = fw::PointToLParam(button->GetLeft() + button->GetWidth() / 2, button->GetTop() + 5);
    SendMessageA(e->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(e->GetHandle(), WM_LBUTTONUP, 0, at);
  }
  static fw::TRect EditRect(skin::TkCustomComboEdit* e) {
    RECT r{};
    SendMessageA(e->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // The right edge of the native edit's text rectangle (inside its own margin).
  static int TextRight(skin::TkCustomComboEdit* e) { return EditRect(e).Right; }
  // A pixel of the "SR" glyph's frame that the glyph covers wholly (its mask lets nothing
  // through), as the frame's own position.
  static fw::TPoint SolidGlyphPixel() {
    fw::TBitmap* glyph = skin::BuiltInGlyph("BTN_OPENFOLDER");
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 20; ++x)
        if (PixelOf(*glyph, x, y + 17) == fw::clBlack && PixelOf(*glyph, x + 20, y + 17) == fw::clBlack)
          return fw::TPoint(x, y);
    return fw::TPoint(-1, -1);
  }
  // Where that pixel of the glyph lies in the edit's window.
  fw::TPoint OnScreen(fw::TPoint p) const {
    skin::TkEditButton* b = edit->GetButton();
    return fw::TPoint(2 + b->GetLeft() + (b->GetWidth() - 20) / 2 + p.X, 2 + b->GetTop() + (b->GetHeight() - 17) / 2 + p.Y);
  }

  std::string folder, currentDir, answer;
  std::vector<fw::TBrowseFolderRequest> requests;
  fw::TEdit* focus = nullptr;
  skin::TkDirectoryEdit* edit = nullptr;
  skin::TkCustomComboEdit* plain = nullptr;
};

TEST_F(SkinnedComboEditTest, GlyphSizesAndTheButton) {
  // The directory edit's built-in glyph: three 20 x 17 frames on a 22-pixel button.
  skin::TkGlyphMode* mode = edit->GetGlyphMode();
  EXPECT_EQ(mode->GlyphWidth(), 20);
  EXPECT_EQ(mode->GlyphHeight(), 17);
  EXPECT_EQ(edit->GetButton()->GetWidth(), 22);
  EXPECT_EQ(edit->GetButton()->GetLeft() + 22, edit->GetClientWidth());
  for (const char* name : {"BTN_OPENFILE", "BTN_OPENFOLDER", "BTN_DATE", "BTN_ELLIPSIS", "BTN_CALC"})
    EXPECT_NE(skin::BuiltInGlyph(name), nullptr) << name;
  EXPECT_EQ(skin::BuiltInGlyph("BTN_DATE")->GetWidth(), 48);
  EXPECT_EQ(skin::BuiltInGlyph("BTN_CALC")->GetWidth(), 57);
  EXPECT_EQ(skin::BuiltInGlyph("BTN_NONE"), nullptr);

  // No glyph at all: width 0, and the button narrows to nothing.
  skin::TkGlyphMode* none = plain->GetGlyphMode();
  EXPECT_EQ(none->GlyphWidth(), 0);
  EXPECT_FALSE(none->SelectGlyph());
  EXPECT_EQ(plain->GetButton()->GetWidth(), 0);
  // A glyph of one's own replaces the built-in one; an empty one is no glyph either.
  auto own = skin::CreateBitmap24(30, 20);
  none->SetGlyph(own.get());
  EXPECT_FALSE(none->GetUseDefaultGlyph());
  EXPECT_EQ(none->GlyphWidth(), 10);
  EXPECT_TRUE(none->SelectGlyph());
  EXPECT_EQ(plain->GetButton()->GetWidth(), 12);
  fw::TBitmap empty;
  mode->SetGlyph(&empty);
  EXPECT_EQ(mode->GlyphWidth(), 0);
  mode->SetUseDefaultGlyph(true);
  EXPECT_EQ(mode->GlyphWidth(), 20);

  mode->SetBlend(150);
  EXPECT_EQ(mode->GetBlend(), 100);
  mode->SetBlend(-5);
  EXPECT_EQ(mode->GetBlend(), 0);
}

TEST_F(SkinnedComboEditTest, EditRectangleLeavesTheButtonsRoom) {
  const int narrowed = TextRight(edit);
  EXPECT_LE(narrowed, edit->GetClientWidth() - 22);
  EXPECT_GT(narrowed, edit->GetClientWidth() - 30);
  edit->SetText("a text long enough to reach the button of the edit and beyond it, surely");
  edit->SetShowButton(false);
  Settle();
  EXPECT_FALSE(edit->GetButton()->GetVisible());
  EXPECT_EQ(edit->GetButton()->GetWidth(), 0);
  EXPECT_EQ(TextRight(edit), narrowed + 22);
  edit->SetShowButton(true);
  Settle();
  EXPECT_TRUE(edit->GetButton()->GetVisible());
  EXPECT_EQ(edit->GetButton()->GetWidth(), 22);
  EXPECT_EQ(TextRight(edit), narrowed);
  // A new size keeps the room.
  edit->SetWidth(200);
  Settle();
  EXPECT_EQ(TextRight(edit), narrowed - 60);
}

TEST_F(SkinnedComboEditTest, WithoutDirectInputOnlyTheButtonFillsTheText) {
  const std::string a = folder + "a";
  fw::CreateDir(a);
  edit->SetText("typed");
  edit->SetDirectInput(false);
  EXPECT_FALSE(edit->GetReadOnly());
  edit->SetFocus();
  SendMessageA(edit->GetHandle(), WM_CHAR, 'x', 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 8);
  memcpy(GlobalLock(text), "pasted", 7);
  GlobalUnlock(text);
  SetClipboardData(CF_TEXT, text);
  CloseClipboard();
  edit->SelectAll();
  SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
  SendMessageA(edit->GetHandle(), WM_CUT, 0, 0);
  EXPECT_EQ(edit->GetText(), "typed");
  answer = a;
  ClickButton(edit);
  EXPECT_EQ(edit->GetText(), a);

  // Read-only: the button does nothing either.
  edit->SetReadOnly(true);
  answer = folder;
  ClickButton(edit);
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_EQ(edit->GetText(), a);
  // Typing comes back with DirectInput and without ReadOnly.
  edit->SetReadOnly(false);
  edit->SetDirectInput(true);
  SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
  EXPECT_NE(edit->GetText().find("pasted"), std::string::npos);
}

TEST_F(SkinnedComboEditTest, AltDownOpensThePickerOnlyWithAGlyph) {
  answer = folder;
  edit->SetFocus();
  LRESULT used = edit->Perform(fw::CN_SYSKEYDOWN, VK_DOWN, 0x20000000);
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_NE(used, 0);
  // Down alone is no click key.
  edit->Perform(fw::CN_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(requests.size(), 1u);
  // A combo edit without a glyph does nothing, not even its OnButtonClick.
  int clicks = 0;
  plain->OnButtonClick = [&](fw::TObject*) { ++clicks; };
  plain->SetFocus();
  plain->Perform(fw::CN_SYSKEYDOWN, VK_DOWN, 0x20000000);
  EXPECT_EQ(clicks, 0);
  plain->GetGlyphMode()->SetUseDefaultGlyph(true);
  plain->SetClickKey(fw::scCtrl | VK_F4);
  plain->Perform(fw::CN_SYSKEYDOWN, VK_DOWN, 0x20000000);
  EXPECT_EQ(clicks, 0);
}

TEST_F(SkinnedComboEditTest, EnterAndEscapeReachTheFormsButtons) {
  auto* ok = Place<fw::TButton>(panel, 300, 120, 60, 24);
  ok->SetDefault(true);
  auto* cancel = Place<fw::TButton>(panel, 300, 60, 60, 24);
  cancel->SetCancel(true);
  int oks = 0, cancels = 0;
  ok->OnClick = [&](fw::TObject*) { ++oks; };
  cancel->OnClick = [&](fw::TObject*) { ++cancels; };
  edit->SetText("folder");
  edit->SetFocus();
  edit->Perform(fw::CN_CHAR, VK_RETURN, 0);
  EXPECT_EQ(oks, 1);
  edit->Perform(fw::CN_CHAR, VK_ESCAPE, 0);
  EXPECT_EQ(cancels, 1);
  // Enter stays out of the (multi-line) edit window.
  PostMessageA(edit->GetHandle(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(edit->GetHandle(), WM_CHAR, VK_RETURN, 1);
  Settle();
  EXPECT_EQ(edit->GetText(), "folder");
  EXPECT_EQ(edit->Perform(EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(SkinnedComboEditTest, DroppedFilesGiveTheirFolders) {
  const std::string a = folder + "a", b = folder + "b";
  fw::CreateDir(a);
  fw::CreateDir(b);
  testing_sandbox::WriteFile(b + "\\file.txt", "x");
  int drops = 0;
  edit->OnDropFiles = [&](fw::TObject* sender) {
    EXPECT_EQ(sender, edit);
    ++drops;
  };
  // One name only, unless the edit takes several.
  SendMessageA(edit->GetHandle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({a, b})), 0);
  EXPECT_EQ(edit->GetText(), a);
  SendMessageA(edit->GetHandle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({b + "\\file.txt"})), 0);
  EXPECT_EQ(edit->GetText(), b + "\\");
  edit->SetMultipleDirs(true);
  edit->SetText(a);
  SendMessageA(edit->GetHandle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({b, b + "\\file.txt"})), 0);
  EXPECT_EQ(edit->GetText(), a + ";" + b + ";" + b + "\\");
  EXPECT_EQ(drops, 3);
}

TEST_F(SkinnedComboEditTest, FolderTextsUnderMultipleDirs) {
  const std::string longName = folder + "A folder with a long name";
  fw::CreateDir(longName);
  const std::string shortName = skin::GetShortFileName(longName);
  ASSERT_NE(shortName, longName);
  edit->StoreFolderName(longName);
  EXPECT_EQ(edit->GetText(), longName);
  EXPECT_EQ(edit->ShortPathText(), shortName);
  // Without MultipleDirs a name replaces the text and the whole text is one path.
  edit->StoreFolderName(folder);
  EXPECT_EQ(edit->GetText(), folder);
  edit->SetMultipleDirs(true);
  edit->SetText(longName);
  edit->StoreFolderName(longName);
  EXPECT_EQ(edit->GetText(), longName + ";" + longName);
  edit->SetText(longName + ";;" + shortName);
  EXPECT_EQ(edit->ShortPathText(), shortName + ";" + shortName);
  EXPECT_EQ(edit->LongPathText(), longName + ";" + longName);
  // An empty text takes the name alone.
  edit->SetText("");
  edit->StoreFolderName(shortName);
  EXPECT_EQ(edit->GetText(), shortName);
}

TEST_F(SkinnedComboEditTest, SkinnedPickerReplacesBrowserAppends) {
  const std::string a = folder + "a", b = folder + "b";
  fw::CreateDir(a);
  fw::CreateDir(b);
  std::vector<std::string> changes;
  edit->OnChange = [&](fw::TObject*) { changes.push_back(edit->GetText()); };
  edit->SetMultipleDirs(true);
  edit->SetText(a);
  answer = b;
  ClickButton(edit);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(edit->GetText(), b);
  EXPECT_EQ(edit->GetInitialDir(), b);
  EXPECT_EQ(changes, (std::vector<std::string>{a, b}));
  // A chosen path that is no folder is ignored.
  answer = folder + "missing";
  ClickButton(edit);
  EXPECT_EQ(edit->GetText(), b);

  // Without a manager: the platform browser, new style, rooted at the desktop, appending.
  fw::FreeAndNil(manager);
  Settle();
  answer = a;
  ClickButton(edit);
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_NE(requests.back().Flags & BIF_NEWDIALOGSTYLE, 0u);
  EXPECT_EQ(requests.back().RootFolder, CSIDL_DESKTOP);
  EXPECT_EQ(requests.back().Directory, b);
  EXPECT_EQ(edit->GetText(), b + ";" + a);
  EXPECT_EQ(edit->GetInitialDir(), a);
  EXPECT_TRUE(edit->Focused());
  edit->SetRoot("rfMyComputer");
  answer.clear();
  ClickButton(edit);
  EXPECT_EQ(requests.back().RootFolder, CSIDL_DRIVES);
  EXPECT_EQ(edit->GetText(), b + ";" + a);
}

TEST_F(SkinnedComboEditTest, IdleAndHotLooks) {
  ASSERT_TRUE(edit->GetSkinData()->SkinIsActive());
  EXPECT_EQ(edit->GetSkinData()->GetSkinSection(), "EDIT");
  EXPECT_EQ(edit->GetButton()->GetSkinData()->GetSkinSection(), "SPEEDBUTTON");
  const TSectionColours face = SectionOf(kFirst, "EDIT");
  const fw::TPoint solid = SolidGlyphPixel();
  ASSERT_GE(solid.X, 0);
  fw::TBitmap* glyph = skin::BuiltInGlyph("BTN_OPENFOLDER");
  const fw::TPoint at = OnScreen(solid);

  // Idle: the edit's frame and face, and on the button the edit's face with the normal frame.
  auto shot = WindowShot(edit);
  EXPECT_EQ(PixelOf(*shot, 100, 1), face.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 100, 10), face.Face[kNormal]);
  EXPECT_EQ(PixelOf(*shot, at.X, at.Y), PixelOf(*glyph, solid.X, solid.Y));
  // The button shows no face of its own.
  const TSectionColours speed = SectionOf(kFirst, "SPEEDBUTTON");
  const fw::TRect button(edit->GetWidth() - 24, 2, edit->GetWidth() - 2, edit->GetHeight() - 2);
  for (int state : {kNormal, kHot, kPressed}) EXPECT_EQ(CountColour(*shot, button, speed.Face[state]), 0);
  EXPECT_EQ(CountColour(*shot, button, face.Face[kNormal]) > 0, true);
  // Text in the section's font colour, left of the button.
  edit->SetText("text");
  Settle();
  shot = WindowShot(edit);
  EXPECT_GT(CountColour(*shot, fw::TRect(2, 2, edit->GetWidth() - 24, edit->GetHeight() - 2), face.Font), 3);

  // The mouse over the button: the hot frame of the glyph, the edit in its active look.
  edit->GetButton()->Perform(fw::CM_MOUSEENTER, 0, 0);
  Settle();
  EXPECT_TRUE(edit->IsActiveLook());
  shot = WindowShot(edit);
  EXPECT_EQ(PixelOf(*shot, 100, 1), face.Edge[kHot]);
  EXPECT_EQ(PixelOf(*shot, at.X, at.Y), PixelOf(*glyph, solid.X + 20, solid.Y));
  edit->GetButton()->Perform(fw::CM_MOUSELEAVE, 0, 0);
  Settle();
  EXPECT_FALSE(edit->IsActiveLook());
}

TEST_F(SkinnedComboEditTest, SkinCommands) {
  EXPECT_TRUE(skin::ControlAnswersCmd(edit, skin::cmdIsSkinned));
  EXPECT_FALSE(skin::ControlAnswersCmd(edit, skin::cmdIsUpdating));
  UseSecondSkin();
  Settle();
  const TSectionColours face = SectionOf(kSecond, "EDIT");
  auto shot = WindowShot(edit);
  EXPECT_EQ(PixelOf(*shot, 100, 1), face.Edge[kNormal]);
  const fw::TRect button(edit->GetWidth() - 24, 2, edit->GetWidth() - 2, edit->GetHeight() - 2);
  EXPECT_GT(CountColour(*shot, button, face.Face[kNormal]), 0);
  EXPECT_EQ(CountColour(*shot, button, SectionOf(kFirst, "EDIT").Face[kNormal]), 0);
  // The edit rectangle still leaves the button's room.
  EXPECT_LE(TextRight(edit), edit->GetClientWidth() - 22);

  // Removed: no skin colour anywhere, the button still there and working.
  manager->SetActive(false);
  Settle();
  EXPECT_FALSE(edit->GetSkinData()->SkinIsActive());
  shot = WindowShot(edit);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, edit->GetWidth(), edit->GetHeight()), face.Edge[kNormal]), 0);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, edit->GetWidth(), edit->GetHeight()), face.Face[kNormal]), 0);
  EXPECT_LE(TextRight(edit), edit->GetClientWidth() - 22);
  // Without a skin the button shows the glyph's hot frame over the plain button.
  const fw::TPoint solid = SolidGlyphPixel();
  const fw::TPoint at = OnScreen(solid);
  EXPECT_EQ(PixelOf(*shot, at.X, at.Y), PixelOf(*skin::BuiltInGlyph("BTN_OPENFOLDER"), solid.X + 20, solid.Y));
  answer = folder;
  ClickButton(edit);
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_EQ(edit->GetText(), folder);
}

}  // namespace
