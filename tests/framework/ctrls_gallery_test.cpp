// A gallery form with one control of every kind the wrappers offer. The test shows it under
// the virtual display, saves a screenshot into its sandbox folder and checks that each control
// left pixels of its own on the screen; it also drives the tool bar, up-down and splitter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/buttons/bit_btn.h"
#include "framework/buttons/speed_button.h"
#include "framework/comctrls/animate.h"
#include "framework/comctrls/date_time_picker.h"
#include "framework/comctrls/list_view.h"
#include "framework/comctrls/page_control.h"
#include "framework/comctrls/status_bar.h"
#include "framework/comctrls/tool_bar.h"
#include "framework/comctrls/tree_view.h"
#include "framework/comctrls/up_down.h"
#include "framework/extctrls/bevel.h"
#include "framework/extctrls/custom_panel.h"
#include "framework/extctrls/image.h"
#include "framework/extctrls/splitter.h"
#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/graphics/bitmap.h"
#include "framework/stdctrls/button.h"
#include "framework/stdctrls/check_box.h"
#include "framework/stdctrls/custom_combo_box.h"
#include "framework/stdctrls/custom_edit.h"
#include "framework/stdctrls/custom_group_box.h"
#include "framework/stdctrls/custom_label.h"
#include "framework/stdctrls/radio_button.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"

using namespace fw;

namespace {

// One control of each kind on one form.
class TGalleryForm : public TForm {
  FW_CLASS(TGalleryForm, TForm)
 public:
  using TForm::TForm;

  TToolBar* Tools = nullptr;
  TToolButton* CheckTool = nullptr;
  TEdit* SpinEdit = nullptr;
  TUpDown* Spin = nullptr;
  TPanel* Left = nullptr;
  TSplitter* Split = nullptr;
  std::vector<TControl*> Shown;  // the controls the screenshot must show

 protected:
  template <class T>
  T* Make(TWinControl* parent, int left, int top, int width, int height, const std::string& caption = "") {
    T* c = New<T>(this);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    if (!caption.empty()) c->SetCaption(caption);
    Shown.push_back(c);
    return c;
  }

  void CreateComponents() override {
    SetCaption("Control gallery");
    SetBounds(0, 0, 760, 560);
    SetColor(clBtnFace);
    Tools = Make<TToolBar>(this, 0, 0, 760, 26);
    Tools->SetShowCaptions(true);
    Tools->SetList(true);
    Tools->SetFlat(true);
    for (const char* caption : {"Scan", "Details"}) {
      TToolButton* b = New<TToolButton>(this);
      b->SetCaption(caption);
      b->SetToolBar(Tools);
      if (std::string(caption) == "Details") {
        b->SetStyle(tbsCheck);
        CheckTool = b;
      }
    }
    TStatusBar* status = Make<TStatusBar>(this, 0, 500, 760, 20);
    status->GetPanels()->Add()->SetText("Ready");
    status->GetPanels()->GetItems(0)->SetWidth(200);
    status->GetPanels()->Add()->SetText("12 files");
    Left = Make<TPanel>(this, 0, 26, 180, 400, "Panel");
    Left->SetAlign(alLeft);
    Split = Make<TSplitter>(this, 180, 26, 4, 400);
    Split->SetAlign(alLeft);
    Split->SetBeveled(true);
    TTreeView* tree = Make<TTreeView>(Left, 4, 4, 170, 200);
    TTreeNode* root = tree->GetItems()->Add(nullptr, "C:\\");
    tree->GetItems()->AddChild(root, "Windows");
    tree->GetItems()->AddChild(root, "Temp");
    root->Expand(false);
    TSpeedButton* sb = Make<TSpeedButton>(Left, 4, 210, 80, 24, "Speed");
    sb->SetGroupIndex(1);
    sb->SetDown(true);
    Make<TSpeedButton>(Left, 90, 210, 80, 24, "Flat")->SetFlat(true);
    Make<TBevel>(Left, 4, 240, 170, 40);
    TImage* image = Make<TImage>(Left, 4, 290, 48, 48);
    TBitmap picture;
    picture.SetSize(48, 48);
    picture.GetCanvas()->GetBrush()->SetColor(clNavy);
    picture.GetCanvas()->FillRect(TRect(0, 0, 48, 48));
    picture.GetCanvas()->GetBrush()->SetColor(clYellow);
    picture.GetCanvas()->FillRect(TRect(12, 12, 36, 36));
    image->GetPicture()->SetBitmap(&picture);

    TPageControl* pages = Make<TPageControl>(this, 190, 30, 560, 240);
    TTabSheet* sheet = New<TTabSheet>(this);
    sheet->SetPageControl(pages);
    sheet->SetCaption("Standard");
    TTabSheet* second = New<TTabSheet>(this);
    second->SetPageControl(pages);
    second->SetCaption("More");
    Make<TLabel>(sheet, 8, 8, 100, 13, "A label:");
    Make<TEdit>(sheet, 8, 26, 150, 21)->SetText("An edit box");
    TComboBox* combo = Make<TComboBox>(sheet, 8, 56, 150, 21);
    combo->GetItems()->Add("Combo item");
    combo->SetItemIndex(0);
    Make<TCheckBox>(sheet, 8, 86, 150, 17, "Check box")->SetChecked(true);
    Make<TRadioButton>(sheet, 8, 108, 150, 17, "Radio button")->SetChecked(true);
    Make<TButton>(sheet, 8, 134, 75, 25, "Button");
    Make<TBitBtn>(sheet, 90, 134, 90, 25, "Bit button");
    TGroupBox* group = Make<TGroupBox>(sheet, 200, 8, 180, 90, "Group box");
    SpinEdit = Make<TEdit>(group, 10, 30, 60, 21);
    Spin = Make<TUpDown>(group, 70, 30, 17, 21);
    Spin->SetMax(10);
    Spin->SetPosition(3);
    Spin->SetAssociate(SpinEdit);
    Make<TDateTimePicker>(sheet, 200, 110, 180, 21)->SetDateTime(EncodeDate(2026, 12, 6));
    TAnimate* anim = Make<TAnimate>(sheet, 400, 8, 80, 60);
    anim->SetCommonAVI(aviFindFile);
    Shown.pop_back();  // the system clip may be missing: an empty animation draws nothing

    TListView* list = Make<TListView>(this, 190, 280, 560, 210);
    list->SetViewStyle(vsReport);
    list->SetCheckboxes(true);
    list->GetColumns()->Add()->SetCaption("Name");
    list->GetColumns()->Add()->SetCaption("Size");
    list->GetColumn(0)->SetWidth(200);
    for (int i = 0; i < 5; ++i) {
      TListItem* item = list->GetItems()->Add();
      item->SetCaption("file" + std::to_string(i) + ".tmp");
      item->GetSubItems()->Add(std::to_string(i * 100) + " KB");
      item->SetChecked(i % 2 == 0);
    }
  }
};

// True when the screen rectangle holds more than one colour.
bool HasDrawing(HDC screen, const RECT& r) {
  COLORREF first = GetPixel(screen, r.left, r.top);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (GetPixel(screen, x, y) != first) return true;
  return false;
}

class CtrlsGallery : public testing_gui::GuiTest {};

}  // namespace

TEST_F(CtrlsGallery, EveryControlKindIsDrawnOnTheScreen) {
  std::string folder = testing_sandbox::TestFolder();
  TGalleryForm* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  for (int i = 0; i < 10; ++i) {
    Application->ProcessMessages();
    Sleep(20);
  }
  RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application->ProcessMessages();

  HDC screen = GetDC(nullptr);
  RECT wr;
  GetWindowRect(form->GetHandle(), &wr);
  TBitmap shot;
  shot.SetSize(wr.right - wr.left, wr.bottom - wr.top);
  BitBlt(shot.GetCanvas()->GetHandle(), 0, 0, shot.GetWidth(), shot.GetHeight(), screen, wr.left, wr.top, SRCCOPY);
  shot.SaveToFile(folder + "gallery.bmp");
  for (TControl* c : form->Shown) {
    TPoint origin = c->GetParent()->ClientToScreen(TPoint(c->GetLeft(), c->GetTop()));
    RECT r{origin.X, origin.Y, origin.X + c->GetWidth(), origin.Y + c->GetHeight()};
    EXPECT_TRUE(HasDrawing(screen, r)) << c->ClassName() << " drew nothing";
  }
  ReleaseDC(nullptr, screen);
  EXPECT_GT(testing_sandbox::ReadFile(folder + "gallery.bmp").size(), 100000u);
}

TEST_F(CtrlsGallery, ToolBarUpDownAndSplitterAnswerTheMouse) {
  TGalleryForm* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  Application->ProcessMessages();

  int clicks = 0;
  form->CheckTool->OnClick = [&](TObject*) { ++clicks; };
  TRect r = form->CheckTool->GetItemRect();
  HWND bar = form->Tools->GetHandle();
  PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(r.Left + 5, r.Top + 5));
  PostMessageA(bar, WM_LBUTTONUP, 0, PointToLParam(r.Left + 5, r.Top + 5));
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  EXPECT_EQ(clicks, 1);
  auto nativeDown = [&] {
    return SendMessageA(bar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(form->CheckTool->GetCommand()), 0) != 0;
  };
  EXPECT_EQ(form->CheckTool->GetDown(), nativeDown());
  form->CheckTool->SetDown(true);
  EXPECT_TRUE(nativeDown());
  form->Tools->SetShowCaptions(false);  // the buttons are sent again and keep their state
  EXPECT_TRUE(form->CheckTool->GetDown());
  EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 2);

  EXPECT_EQ(form->SpinEdit->GetText(), "3");
  form->Spin->SetPosition(7);
  EXPECT_EQ(form->SpinEdit->GetText(), "7");
  form->Spin->SetPosition(50);
  EXPECT_EQ(form->Spin->GetPosition(), 10);

  // Dragging the splitter 40 pixels right widens the panel on its left.
  int before = form->Left->GetWidth();
  HWND wnd = form->GetHandle();
  int x = form->Split->GetLeft() + 1, y = form->Split->GetTop() + 50;
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y));
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(x + 40, y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, PointToLParam(x + 40, y));
  EXPECT_EQ(form->Left->GetWidth(), before + 40);
  EXPECT_EQ(form->Split->GetLeft(), before + 40);
  // Never below MinSize.
  x = form->Split->GetLeft() + 1;
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y));
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(x - 200, y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, PointToLParam(x - 200, y));
  EXPECT_EQ(form->Left->GetWidth(), form->Split->GetMinSize());
}
