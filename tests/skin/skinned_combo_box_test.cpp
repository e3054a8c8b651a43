// The skinned combo box and filter combo against the control test skin: the button rectangle
// and the filter parsing as functions; the idle, hot, focused, dropped and disabled looks (the
// frame and the button column from the cache, the edit area drawn with the selected text);
// ReadOnly keeping keys, presses, the wheel and the clipboard away while the focus still
// comes; an editable combo back to idle when its focus leaves; the skin commands and the
// combo without a manager.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/filter_combo_box.h"
#include "skin/controls/label.h"
#include "skin/controls/panel.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::SamePixels;
using control_shots::WindowShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

TEST(ComboLayout, ButtonRectangle) {
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(skin::ComboButtonRect(150, 21, false, false), fw::TRect(150 - w - 2, 2, 148, 19));
  EXPECT_EQ(skin::ComboButtonRect(150, 21, false, true), fw::TRect(2, 2, 2 + w, 19));
  const fw::TRect simple = skin::ComboButtonRect(150, 21, true, false);
  EXPECT_EQ(simple.Width(), 0);
  EXPECT_EQ(simple.Left, 148);
}

TEST(ComboLayout, FilterPairs) {
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(skin::ParseFilter("Text (*.txt)|*.txt|All (*.*)|*.*"),
            (Pairs{{"Text (*.txt)", "*.txt"}, {"All (*.*)", "*.*"}}));
  // A description at the end without "|" is dropped; one followed by "|" alone has no mask.
  EXPECT_EQ(skin::ParseFilter("Text|*.txt|Orphan"), (Pairs{{"Text", "*.txt"}}));
  EXPECT_EQ(skin::ParseFilter("Text|*.txt|Empty|"), (Pairs{{"Text", "*.txt"}, {"Empty", ""}}));
  EXPECT_EQ(skin::ParseFilter("Masks|*.a;*.b"), (Pairs{{"Masks", "*.a;*.b"}}));
  EXPECT_TRUE(skin::ParseFilter("").empty());
  EXPECT_TRUE(skin::ParseFilter("Nothing").empty());
}

class SkinnedComboTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    {
      fw::TLoadScope scope;
      MakeForm(400, 280, fw::TRect(0, 0, 380, 240));
      // Takes the focus, so that the combo stays idle.
      focus = Place<fw::TEdit>(panel, 10, 200, 60, 24);
      combo = Place<skin::TkComboBox>(panel, 100, 20, 150, 21);
      combo->SetName("cbUnit");
      combo->SetStyle(fw::csDropDownList);
      for (const char* text : {"b", "Kb", "Mb"}) combo->GetItems()->Add(text);
      combo->SetItemIndex(1);
    }
    ShowForm();
    focus->SetFocus();
    Settle();
  }
  static fw::TBitmap& Cache(skin::TkCustomComboBox* c) { return *c->GetSkinData()->CacheBmp; }
  // The button column's edge, face and arrow colours on a picture of the combo.
  static void ExpectButton(const fw::TBitmap& shot, skin::TkCustomComboBox* c, const TControlSkin& s, TState state) {
    const fw::TRect b = c->ButtonRect();
    const TSectionColours btn = SectionOf(s, "COMBOBTN");
    EXPECT_EQ(PixelOf(shot, b.Left + 1, 10), btn.Edge[state]) << state;
    EXPECT_EQ(PixelOf(shot, b.Left + 4, 6), btn.Face[state]) << state;
    const int arrowX = b.Left + (b.Width() - kComboArrowWidth) / 2, arrowY = (c->GetHeight() - kComboArrowHeight) / 2;
    EXPECT_EQ(PixelOf(shot, arrowX + kComboArrowWidth / 2, arrowY), Colour(s.Index, kComboArrowNumber, state)) << state;
    EXPECT_EQ(PixelOf(shot, arrowX + kComboArrowWidth / 2, arrowY + kComboArrowHeight - 1),
              Colour(s.Index, kComboArrowNumber, state))
        << state;
    // The corners of the arrow's rows are transparent: the button face shows.
    EXPECT_EQ(PixelOf(shot, arrowX, arrowY + kComboArrowHeight - 1), btn.Face[state]);
  }
  // Every pixel outside the edit area is the cache's.
  static bool FrameFromCache(const fw::TBitmap& shot, skin::TkCustomComboBox* c) {
    const fw::TRect edit(3, 3, c->ButtonRect().Left, c->GetHeight() - 3);
    fw::TBitmap& cache = Cache(c);
    for (int y = 0; y < c->GetHeight(); ++y)
      for (int x = 0; x < c->GetWidth(); ++x)
        if (!(x >= edit.Left && x < edit.Right && y >= edit.Top && y < edit.Bottom) && PixelOf(shot, x, y) != PixelOf(cache, x, y)) return false;
    return true;
  }
  int TextPixels(const fw::TBitmap& shot, fw::TColor colour) const {
    return CountColour(shot, fw::TRect(3, 3, combo->ButtonRect().Left, combo->GetHeight() - 3), colour);
  }

  fw::TEdit* focus = nullptr;
  skin::TkComboBox* combo = nullptr;
};

TEST_F(SkinnedComboTest, IdleAndHotLooks) {
  ASSERT_TRUE(combo->GetSkinData()->SkinIsActive());
  EXPECT_EQ(combo->GetSkinData()->GetSkinSection(), "COMBOBOX");
  EXPECT_EQ(combo->GetDropDownCount(), 16);
  const TSectionColours face = SectionOf(kFirst, "COMBOBOX");
  // Loaded under the skin: the section's colours.
  EXPECT_EQ(combo->GetColor(), face.Face[kNormal]);
  EXPECT_EQ(combo->GetFont()->GetColor(), face.Font);
  fw::TBitmap& cache = Cache(combo);
  EXPECT_EQ(PixelOf(cache, 60, 1), face.Edge[kNormal]);
  EXPECT_EQ(PixelOf(cache, 60, 19), face.Edge[kNormal]);
  ExpectButton(cache, combo, kFirst, kNormal);
  auto shot = WindowShot(combo);
  EXPECT_TRUE(FrameFromCache(*shot, combo));
  ExpectButton(*shot, combo, kFirst, kNormal);
  // The edit area: the control's colour with the selected item's text in its font colour.
  EXPECT_EQ(PixelOf(*shot, combo->ButtonRect().Left - 3, 10), face.Face[kNormal]);
  EXPECT_GT(TextPixels(*shot, face.Font), 5);

  // Hot: frame and button in their hot frames.
  combo->Perform(fw::CM_MOUSEENTER);
  Settle();
  shot = WindowShot(combo);
  EXPECT_EQ(PixelOf(*shot, 60, 1), face.Edge[kHot]);
  ExpectButton(*shot, combo, kFirst, kHot);
  combo->Perform(fw::CM_MOUSELEAVE);
  Settle();
  ExpectButton(*WindowShot(combo), combo, kFirst, kNormal);
}

TEST_F(SkinnedComboTest, FocusedAndDroppedLooks) {
  combo->SetFocus();
  Settle();
  ASSERT_TRUE(combo->Focused());
  auto shot = WindowShot(combo);
  ExpectButton(*shot, combo, kFirst, kHot);
  // A focused drop-down list shows its item selected.
  EXPECT_GT(TextPixels(*shot, fw::ColorToRGB(fw::clHighlight)), 20);

  // Dropped down: the button column pressed until the list closes.
  combo->SetDroppedDown(true);
  Settle();
  ASSERT_TRUE(combo->GetDropped());
  ExpectButton(Cache(combo), combo, kFirst, kPressed);
  ExpectButton(*WindowShot(combo), combo, kFirst, kPressed);
  combo->SetDroppedDown(false);
  Settle();
  EXPECT_FALSE(combo->GetDropped());
  ExpectButton(*WindowShot(combo), combo, kFirst, kHot);
  EXPECT_EQ(combo->GetItemIndex(), 1);
}

TEST_F(SkinnedComboTest, DisabledLook) {
  combo->SetEnabled(false);
  Settle();
  const TSectionColours face = SectionOf(kFirst, "COMBOBOX");
  fw::TBitmap& cache = Cache(combo);
  // Blended into the panel: neither the section's nor the panel's colour.
  EXPECT_NE(PixelOf(cache, 60, 1), face.Edge[kNormal]);
  EXPECT_NE(PixelOf(cache, 60, 1), kFirst.Panel.Face[kNormal]);
  auto shot = WindowShot(combo);
  EXPECT_TRUE(FrameFromCache(*shot, combo));
  EXPECT_GT(TextPixels(*shot, fw::ColorToRGB(fw::clBtnShadow)), 5);
  EXPECT_EQ(TextPixels(*shot, face.Font), 0);
  combo->SetDisabledKind(skin::TkDisabledKind());
  Settle();
  EXPECT_EQ(PixelOf(Cache(combo), 60, 1), face.Edge[kNormal]);
}

TEST_F(SkinnedComboTest, ReadOnlyKeepsItsSelection) {
  int changes = 0;
  combo->OnChange = [&](fw::TObject*) { ++changes; };
  combo->SetReadOnly(true);
  const HWND wnd = combo->GetHandle();
  // A press takes the focus but opens nothing.
  const fw::TRect b = combo->ButtonRect();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.Left + 5, 10));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(b.Left + 5, 10));
  Settle();
  EXPECT_EQ(GetFocus(), wnd);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_FALSE(combo->GetDropped());
  // Keys, typed letters and the wheel leave the selection.
  for (WPARAM key : {VK_DOWN, VK_UP, VK_END, VK_HOME, VK_NEXT, VK_F4}) {
    PostMessageA(wnd, WM_KEYDOWN, key, 0);
    PostMessageA(wnd, WM_KEYUP, key, 0);
  }
  PostMessageA(wnd, WM_CHAR, 'M', 0);
  PostMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  Settle();
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(changes, 0);

  // Writable again, the same keys move it.
  combo->SetReadOnly(false);
  PostMessageA(wnd, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(wnd, WM_KEYUP, VK_DOWN, 0);
  Settle();
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_GT(changes, 0);
}

TEST_F(SkinnedComboTest, ReadOnlyEditTakesNoTypingOrClipboard) {
  auto* editable = Place<skin::TkComboBox>(panel, 100, 60, 150, 21);
  editable->SetText("abc");
  Settle();
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(editable->GetHandle(), &info));
  const HWND edit = info.hwndItem;
  ASSERT_TRUE(edit && edit != editable->GetHandle());
  auto putOnClipboard = [](const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(mem), text, strlen(text) + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
  };
  putOnClipboard("zz");
  editable->SetReadOnly(true);
  editable->SetFocus();
  Settle();
  EXPECT_TRUE(editable->Focused());
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, WM_PASTE, 0, 0);
  SendMessageA(edit, WM_CUT, 0, 0);
  SendMessageA(edit, WM_CLEAR, 0, 0);
  PostMessageA(edit, WM_KEYDOWN, 'X', 0);
  PostMessageA(edit, WM_CHAR, 'x', 0);
  Settle();
  EXPECT_EQ(editable->GetText(), "abc");

  // Writable, the same paste replaces the text.
  editable->SetReadOnly(false);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(editable->GetText(), "zz");
}

TEST_F(SkinnedComboTest, BoundLabelFollows) {
  skin::TkBoundLabel* bound = combo->GetBoundLabel();
  bound->SetCaption("Unit:");
  bound->SetActive(true);
  skin::TkEditLabel* label = bound->GetLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetName(), "cbUnitLabel");
  EXPECT_EQ(label->GetLeft(), 100 - label->GetWidth() - 4);
  combo->SetLeft(160);
  EXPECT_EQ(label->GetLeft(), 160 - label->GetWidth() - 4);
  combo->SetVisible(false);
  EXPECT_FALSE(label->GetVisible());
}

TEST_F(SkinnedComboTest, SkinCommands) {
  EXPECT_TRUE(skin::ControlAnswersCmd(combo, skin::cmdIsSkinned));
  UseSecondSkin();
  Settle();
  const TSectionColours face = SectionOf(kSecond, "COMBOBOX");
  EXPECT_EQ(combo->GetColor(), face.Face[kNormal]);
  auto shot = WindowShot(combo);
  EXPECT_EQ(PixelOf(*shot, 60, 1), face.Edge[kNormal]);
  ExpectButton(*shot, combo, kSecond, kNormal);
  EXPECT_GT(TextPixels(*shot, face.Font), 5);

  // Removed: the framework's colours and drawing, the selection kept.
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(combo->GetColor(), fw::clWindow);
  EXPECT_EQ(combo->GetItemIndex(), 1);
  shot = WindowShot(combo);
  EXPECT_NE(PixelOf(*shot, 60, 1), face.Edge[kNormal]);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, 150, 21), Colour(1, kComboArrowNumber, kNormal)), 0);
}

TEST_F(SkinnedComboTest, AnArrowMaskOfNoFramesIsNoArrow) {
  skin::TkStoredSkin* stored = manager->GetInternalSkins()->GetItem(0);
  skin::TkSkinImages* images = stored->GetImages();
  for (int i = 0; i < images->GetCount(); ++i)
    if (images->GetItem(i)->GetSectionName() == "COMBOBOX" && images->GetItem(i)->GetPropertyName() == "GLYPHMASK")
      images->GetItem(i)->SetImageCount(-1);
  UseSecondSkin();
  UseFirstSkin();
  Settle();
  ASSERT_TRUE(combo->GetSkinData()->SkinIsActive());
  const fw::TRect b = combo->ButtonRect();
  auto shot = WindowShot(combo);
  EXPECT_EQ(CountColour(*shot, b, Colour(0, kComboArrowNumber, kNormal)), 0);
  // The button is there all the same, its face where the arrow was.
  EXPECT_EQ(PixelOf(*shot, b.Left + b.Width() / 2, combo->GetHeight() / 2), SectionOf(kFirst, "COMBOBTN").Face[kNormal]);
}

TEST_F(SkinnedComboTest, WithoutManagerItIsTheFrameworkCombo) {
  auto* plain = Place<fw::TComboBox>(panel, 100, 100, 150, 21);
  plain->SetStyle(fw::csDropDownList);
  for (const char* text : {"b", "Kb", "Mb"}) plain->GetItems()->Add(text);
  plain->SetItemIndex(1);
  fw::FreeAndNil(manager);
  Settle();
  EXPECT_FALSE(combo->GetSkinData()->SkinIsActive());
  combo->Invalidate();
  plain->Invalidate();
  Settle();
  EXPECT_TRUE(SamePixels(*WindowShot(combo), *WindowShot(plain)));
  // It still drops down and selects.
  combo->SetDroppedDown(true);
  Settle();
  EXPECT_TRUE(combo->GetDroppedDown());
  combo->SetDroppedDown(false);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->GetText(), "Mb");
}

TEST_F(SkinnedComboTest, FilterComboListsItsTypes) {
  auto* filter = fw::New<skin::TkFilterComboBox>(form);
  EXPECT_EQ(filter->GetStyle(), fw::csDropDownList);
  EXPECT_EQ(filter->GetFilter(), "All files (*.*)|*.*");
  // Without a window there are no types yet.
  EXPECT_EQ(filter->GetMask(), "*.*");
  int changes = 0;
  filter->OnChange = [&](fw::TObject*) { ++changes; };
  filter->SetFilter("Text files (*.txt)|*.txt|Pictures|*.bmp;*.jpg|Orphan");
  EXPECT_EQ(changes, 1);
  filter->SetBounds(100, 100, 150, 21);
  filter->SetParent(panel);
  Settle();
  ASSERT_EQ(filter->GetItems()->GetCount(), 2);
  EXPECT_EQ(filter->GetItems()->GetStrings(1), "Pictures");
  EXPECT_EQ(filter->GetItemIndex(), 0);
  EXPECT_EQ(filter->GetMask(), "*.txt");
  filter->SetItemIndex(1);
  EXPECT_EQ(filter->GetMask(), "*.bmp;*.jpg");
  // No selection: the last type is taken.
  filter->SetItemIndex(-1);
  EXPECT_EQ(filter->GetMask(), "*.bmp;*.jpg");
  EXPECT_EQ(filter->GetItemIndex(), 1);
  // A type the user chooses is one change, with or without OnSelect.
  int selects = 0;
  auto choose = [&](WORD key, int index) {
    PostMessageA(filter->GetHandle(), WM_KEYDOWN, key, 1);
    PostMessageA(filter->GetHandle(), WM_KEYUP, key, 0xC0000001);
    for (int n = 0; n < 5; ++n) fw::Application->ProcessMessages();
    EXPECT_EQ(filter->GetItemIndex(), index);
  };
  choose(VK_UP, 0);
  EXPECT_EQ(changes, 2);
  filter->OnSelect = [&](fw::TObject*) { ++selects; };
  choose(VK_DOWN, 1);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(selects, 1);
  changes = 1;
  // The same filter in other letters changes nothing; an empty one leaves no types.
  filter->SetFilter("TEXT FILES (*.TXT)|*.TXT|PICTURES|*.BMP;*.JPG|ORPHAN");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(filter->GetItems()->GetCount(), 2);
  filter->SetFilter("");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(filter->GetItems()->GetCount(), 0);
  EXPECT_EQ(filter->GetMask(), "*.*");
}

// An editable combo's focus lives in its edit: when it leaves, the frame and the button still go
// back to their idle look.
TEST_F(SkinnedComboTest, AnEditableComboLooksIdleOnceTheFocusLeaves) {
  skin::TkComboBox* editable = nullptr;
  {
    fw::TLoadScope scope;
    editable = Place<skin::TkComboBox>(panel, 100, 60, 150, 21);
    for (const char* text : {"Office", "Images"}) editable->GetItems()->Add(text);
    editable->SetItemIndex(0);
  }
  Settle();
  editable->SetFocus();
  Settle();
  const TSectionColours face = SectionOf(kFirst, "COMBOBOX");
  auto shot = WindowShot(editable);
  EXPECT_EQ(PixelOf(*shot, 60, 1), face.Edge[kHot]);
  focus->SetFocus();
  Settle();
  shot = WindowShot(editable);
  EXPECT_EQ(PixelOf(Cache(editable), 60, 1), face.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, 60, 1), face.Edge[kNormal]);
  ExpectButton(*shot, editable, kFirst, kNormal);
}

}  // namespace
