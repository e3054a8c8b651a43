// The extended combo box against the control test skin: where an item's image goes (each row's
// in its own row, an indent of 2 moving it 32 pixels in the list but not in the edit area), the
// drawing of rows and edit area from an image list, auto-complete with the clock stepped, the
// stored MaxLength and ItemHeight, the skinned look with the combo box's button, and the skin
// commands.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/seams.h"
#include "framework/stdctrls/custom_edit.h"
#include "skin/controls/combo_box_ex.h"
#include "skin/engine/glyphs_text.h"
#include "skin/engine/skin_manager.h"
#include "support/panel_form_fixture.h"

namespace {

using namespace control_skin;
using control_shots::BoxOf;
using control_shots::PaintedBy;
using control_shots::WindowShot;
using test_skins::PixelOf;
using testing_paint::CountColour;

constexpr fw::TColor kImage = 0x2040C0, kSelectedImage = 0x20C040;

TEST(ComboExLayout, EachRowsImageInItsOwnRow) {
  // Rows of 20 pixels: every image centred in its own row, whatever the control's height.
  for (int row = 0; row < 3; ++row) {
    const fw::TRect r = skin::ComboExImageRect(fw::TRect(0, row * 20, 120, row * 20 + 20), false, 22, 16, 16, -1);
    EXPECT_EQ(r, fw::TRect(2, row * 20 + 2, 18, row * 20 + 18)) << row;
  }
  // An indent of 2 moves a row's image 32 pixels right; 0 and -1 do not move it.
  EXPECT_EQ(skin::ComboExImageRect(fw::TRect(0, 40, 120, 56), false, 22, 16, 16, 2), fw::TRect(32, 40, 48, 56));
  EXPECT_EQ(skin::ComboExImageRect(fw::TRect(0, 40, 120, 56), false, 22, 16, 16, 0), fw::TRect(0, 40, 16, 56));
  // The edit area keeps the control-height rule and takes no indent.
  EXPECT_EQ(skin::ComboExImageRect(fw::TRect(3, 3, 100, 19), true, 22, 16, 16, 2), fw::TRect(3, 3, 19, 19));
}

// Draws items onto a DC of one's own.
class TProbe : public skin::TkComboBoxEx {
 public:
  using skin::TkComboBoxEx::TkComboBoxEx;
  void DrawOn(HDC dc, int index, const fw::TRect& rect, fw::TOwnerDrawState state) {
    fw::TCanvasLoan loan(Canvas(), dc);
    Canvas()->GetFont()->Assign(GetFont());
    Canvas()->GetBrush()->SetStyle(fw::bsSolid);
    DrawItem(index, rect, state);
  }

 protected:
  ~TProbe() override = default;
};

class TSteppedClock : public fw::testing::TClock {
 public:
  DWORD GetTickCount() override { return Now; }
  DWORD Now = 100000;
};

class SkinnedComboBoxExTest : public control_shots::PanelFormTest {
 protected:
  void SetUp() override {
    PanelFormTest::SetUp();
    images = fw::New<fw::TImageList>(nullptr);
    auto strip = skin::CreateBitmap24(32, 16);
    skin::FillDCRect(strip->GetCanvas()->GetHandle(), fw::TRect(0, 0, 16, 16), kImage);
    skin::FillDCRect(strip->GetCanvas()->GetHandle(), fw::TRect(16, 0, 32, 16), kSelectedImage);
    images->AddMasked(strip.get(), fw::clFuchsia);
    {
      fw::TLoadScope scope;
      MakeForm(400, 280, fw::TRect(0, 0, 380, 240));
      focus = Place<fw::TEdit>(panel, 10, 200, 60, 24);
      combo = Place<TProbe>(panel, 100, 20, 160, 22);
      combo->SetImages(images);
      skin::TkComboItems* items = combo->GetItemsEx();
      items->AddItem("apple", 0, 1, -1, -1, nullptr);
      items->AddItem("banana", 0, -1, -1, 2, nullptr);
      items->AddItem("cabbage", 0, -1, -1, -1, nullptr);
      items->AddItem("cherry", 0, -1, -1, -1, nullptr);
    }
    ShowForm();
    combo->SetItemIndex(1);
    focus->SetFocus();
    Settle();
  }
  void TearDown() override {
    fw::testing::SetClock(nullptr);
    PanelFormTest::TearDown();
    images->Free();
  }
  // Types a character into the combo as the keyboard does.
  void Type(char c) { combo->Perform(fw::CN_CHAR, static_cast<unsigned char>(c), 0); }

  fw::TImageList* images = nullptr;
  fw::TEdit* focus = nullptr;
  TProbe* combo = nullptr;
};

TEST_F(SkinnedComboBoxExTest, ItemsImagesAndIndent) {
  EXPECT_EQ(combo->GetStyle(), fw::csOwnerDrawVariable);
  EXPECT_EQ(combo->GetItems()->GetCount(), 4);
  EXPECT_EQ(combo->GetItems()->GetStrings(2), "cabbage");
  EXPECT_EQ(combo->GetItems()->IndexOf("cherry"), 3);
  EXPECT_EQ(combo->GetText(), "banana");
  EXPECT_THROW(combo->GetItems()->GetObjects(9), fw::EStringListError);
  // A list row: the image in the row, 32 pixels in for the indent of 2.
  auto row = PaintedBy(160, 60, [&](HDC dc) { combo->DrawOn(dc, 1, fw::TRect(0, 20, 160, 40), {}); });
  EXPECT_EQ(BoxOf(*row, [](fw::TColor c) { return c == kImage; }), fw::TRect(34, 22, 50, 38));
  // Another row lower down keeps its image in its own place.
  row = PaintedBy(160, 60, [&](HDC dc) { combo->DrawOn(dc, 2, fw::TRect(0, 40, 160, 60), {}); });
  EXPECT_EQ(BoxOf(*row, [](fw::TColor c) { return c == kImage; }), fw::TRect(2, 42, 18, 58));
  // The edit area: no indent, (height - 16) div 2 from the control's top and left.
  const int e = (combo->GetHeight() - 16) / 2;
  auto edit = PaintedBy(160, 22, [&](HDC dc) {
    combo->DrawOn(dc, 1, fw::TRect(3, 3, 157, 19), fw::TOwnerDrawState{fw::odComboBoxEdit});
  });
  EXPECT_EQ(BoxOf(*edit, [](fw::TColor c) { return c == kImage; }), fw::TRect(e, e, e + 16, e + 16));
  // A selected row shows its selected image; SelectedImageIndex -1 keeps ImageIndex.
  row = PaintedBy(160, 20, [&](HDC dc) {
    combo->DrawOn(dc, 0, fw::TRect(0, 0, 160, 20), fw::TOwnerDrawState{fw::odSelected});
  });
  EXPECT_GT(CountColour(*row, fw::TRect(0, 0, 160, 20), kSelectedImage), 200);
  row = PaintedBy(160, 20, [&](HDC dc) {
    combo->DrawOn(dc, 3, fw::TRect(0, 0, 160, 20), fw::TOwnerDrawState{fw::odSelected});
  });
  EXPECT_GT(CountColour(*row, fw::TRect(0, 0, 160, 20), kImage), 200);
  // A caption change reaches the list.
  combo->GetItemsEx()->GetItem(3)->SetCaption("cress");
  EXPECT_EQ(combo->GetItems()->GetStrings(3), "cress");
  EXPECT_EQ(combo->GetItemIndex(), 1);
}

TEST_F(SkinnedComboBoxExTest, AutoCompleteRestartsAfterAPause) {
  TSteppedClock clock;
  fw::testing::SetClock(&clock);
  int selects = 0;
  combo->OnSelect = [&](fw::TObject*) { ++selects; };
  Type('c');
  EXPECT_EQ(combo->GetItemIndex(), 2);
  clock.Now += 100;
  Type('h');
  EXPECT_EQ(combo->GetItemIndex(), 3);
  EXPECT_EQ(selects, 2);
  // Over 500 ms later "b" starts a new search: "banana", not "chb".
  clock.Now += 501;
  Type('b');
  EXPECT_EQ(combo->GetItemIndex(), 1);
  clock.Now += 500;
  Type('a');
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(selects, 3);
  clock.Now += 600;
  Type('a');
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(combo->GetText(), "apple");
  // Nothing starts with the buffer: the selection stays.
  clock.Now += 10;
  Type('z');
  EXPECT_EQ(combo->GetItemIndex(), 0);
}

TEST_F(SkinnedComboBoxExTest, StoredLengthAndHeight) {
  combo->SetMaxLength(-5);
  EXPECT_EQ(combo->GetMaxLength(), 0);
  combo->SetMaxLength(12);
  EXPECT_EQ(combo->GetMaxLength(), 12);
  EXPECT_EQ(combo->GetItemHeight(), 16);
  combo->SetItemHeight(0);
  combo->SetItemHeight(-3);
  EXPECT_EQ(combo->GetItemHeight(), 16);
  combo->SetItemHeight(20);
  EXPECT_EQ(combo->GetItemHeight(), 20);
  // The window made again keeps its items and selection.
  EXPECT_EQ(combo->GetItems()->GetCount(), 4);
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(SendMessageA(combo->GetHandle(), CB_GETITEMHEIGHT, 0, 0), 20);
  // A combo that draws no items of its own answers the window's height.
  combo->SetStyle(fw::csDropDown);
  const int native = static_cast<int>(SendMessageA(combo->GetHandle(), CB_GETITEMHEIGHT, 0, 0));
  EXPECT_NE(native, 20);
  EXPECT_EQ(combo->GetItemHeight(), native);
}

TEST_F(SkinnedComboBoxExTest, SkinnedLookWithTheComboButton) {
  ASSERT_TRUE(combo->GetSkinData()->SkinIsActive());
  EXPECT_EQ(combo->GetSkinData()->GetSkinSection(), "COMBOBOX");
  const TSectionColours face = SectionOf(kFirst, "COMBOBOX");
  const TSectionColours button = SectionOf(kFirst, "COMBOBTN");
  auto shot = WindowShot(combo);
  EXPECT_EQ(PixelOf(*shot, 60, 1), face.Edge[kNormal]);
  const int bw = GetSystemMetrics(SM_CXVSCROLL) + 1, bl = combo->GetWidth() - bw - 2;
  EXPECT_EQ(PixelOf(*shot, bl + 1, 10), button.Edge[kNormal]);
  EXPECT_EQ(PixelOf(*shot, bl + 4, 6), button.Face[kNormal]);
  EXPECT_GT(CountColour(*shot, fw::TRect(bl, 2, bl + bw, combo->GetHeight() - 2), Colour(0, kComboArrowNumber, kNormal)), 3);
  // The selected item over the face: its image, then its caption in the section's font colour.
  const int e = (combo->GetHeight() - 16) / 2;
  EXPECT_EQ(BoxOf(*shot, [](fw::TColor c) { return c == kImage; }), fw::TRect(e, e, e + 16, e + 16));
  EXPECT_GT(CountColour(*shot, fw::TRect(e + 16, 2, bl, combo->GetHeight() - 2), face.Font), 5);
  // The caption starts 5 pixels right of the image and lies whole where the text alone would.
  const int h = combo->GetHeight();
  auto alone = PaintedBy(combo->GetWidth(), h, [&](HDC dc) {
    fw::TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.GetFont()->Assign(combo->GetFont());
    canvas.GetFont()->SetColor(fw::clBlack);
    canvas.GetBrush()->SetStyle(fw::bsClear);
    const fw::TSize size = canvas.TextExtent("banana");
    canvas.TextOut(e + 16 + 5, 3 + (h - 6 - size.cy) / 2, "banana");
    canvas.SetHandle(nullptr);
  });
  const fw::TRect text = BoxOf(*alone, [](fw::TColor c) { return c == 0; });
  ASSERT_GE(text.Left, e + 16 + 5);
  EXPECT_EQ(BoxOf(*shot, [&](fw::TColor c) { return c == face.Font; }), text);
  // Hot: the frame and the button take their hot looks.
  combo->Perform(fw::CM_MOUSEENTER);
  Settle();
  shot = WindowShot(combo);
  EXPECT_EQ(PixelOf(*shot, 60, 1), face.Edge[kHot]);
  EXPECT_EQ(PixelOf(*shot, bl + 4, 6), button.Face[kHot]);
  combo->Perform(fw::CM_MOUSELEAVE);
}

TEST_F(SkinnedComboBoxExTest, EditableStyleTypesInTheControlsColours) {
  skin::TkComboBoxEx* editable = nullptr;
  {
    fw::TLoadScope scope;
    editable = Place<skin::TkComboBoxEx>(panel, 100, 100, 160, 22);
    editable->SetStyle(fw::csDropDown);
  }
  editable->GetItemsEx()->AddItem("first", -1, -1, -1, -1, nullptr);
  Settle();
  editable->SetFocus();
  editable->SetText("typed");
  Settle();
  EXPECT_EQ(editable->GetText(), "typed");
  const TSectionColours face = SectionOf(kFirst, "COMBOBOX");
  ASSERT_EQ(editable->GetColor(), face.Face[kNormal]);
  auto shot = WindowShot(editable);
  const int x = editable->GetWidth() - GetSystemMetrics(SM_CXVSCROLL) - 10;
  EXPECT_EQ(PixelOf(*shot, x, editable->GetHeight() / 2), face.Face[kNormal]);
  EXPECT_GT(CountColour(*shot, fw::TRect(3, 3, x, editable->GetHeight() - 3), face.Font), 5);
}

TEST_F(SkinnedComboBoxExTest, SkinCommands) {
  EXPECT_TRUE(skin::ControlAnswersCmd(combo, skin::cmdIsSkinned));
  UseSecondSkin();
  Settle();
  const TSectionColours face = SectionOf(kSecond, "COMBOBOX");
  EXPECT_EQ(combo->GetColor(), face.Face[kNormal]);
  auto shot = WindowShot(combo);
  EXPECT_EQ(PixelOf(*shot, 60, 1), face.Edge[kNormal]);
  EXPECT_GT(CountColour(*shot, fw::TRect(0, 0, 160, combo->GetHeight()), Colour(1, kComboArrowNumber, kNormal)), 3);

  // Removed: the framework's colours, no skin colour painted, the selection kept.
  manager->SetActive(false);
  Settle();
  EXPECT_EQ(combo->GetColor(), fw::clWindow);
  EXPECT_EQ(combo->GetItemIndex(), 1);
  combo->Invalidate();
  Settle();
  shot = WindowShot(combo);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, 160, combo->GetHeight()), face.Edge[kNormal]), 0);
  EXPECT_EQ(CountColour(*shot, fw::TRect(0, 0, 160, combo->GetHeight()), Colour(1, kComboArrowNumber, kNormal)), 0);

  // No manager at all: still a working combo box.
  fw::FreeAndNil(manager);
  Settle();
  EXPECT_FALSE(combo->GetSkinData()->SkinIsActive());
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->GetText(), "cabbage");
  // It drops down while it has the focus (a list opened without it closes again).
  combo->SetFocus();
  combo->SetDroppedDown(true);
  Settle();
  EXPECT_TRUE(combo->GetDroppedDown());
  combo->SetDroppedDown(false);
  combo->Clear();
  EXPECT_EQ(combo->GetItemsEx()->GetCount(), 0);
  EXPECT_EQ(combo->GetItems()->GetCount(), 0);
}

}  // namespace
