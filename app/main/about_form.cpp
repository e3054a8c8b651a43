#include "app/main/about_form.h"

#include "app/main/layout_helpers.h"
#include "framework/graphics/icon.h"

namespace app {

TfrmAbout1::TfrmAbout1(fw::TComponent* owner) : fw::TForm(owner) {}

void TfrmAbout1::CreateComponents() {
  SetName("frmAbout1");
  SetCaption("About");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons(fw::TBorderIcons{fw::biSystemMenu});
  SetPosition(fw::poMainFormCenter);
  SetKeyPreview(true);
  SetClientWidth(300);
  SetClientHeight(150);
  skinProvider = MakeSkinProvider(this, "skinProvider", skin::TkBorderIcons{fw::biSystemMenu});

  Image1 = fw::New<fw::TImage>(this);
  Image1->SetName("Image1");
  Image1->SetBounds(16, 16, 48, 48);
  Image1->SetCenter(true);
  Image1->SetParent(this);
  if (HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON")) {
    Image1->GetPicture()->GetIcon()->SetHandle(CopyIcon(icon));
  }

  kLabel1 = fw::New<skin::TkLabel>(this);
  kLabel1->SetName("kLabel1");
  kLabel1->SetBounds(80, 32, 200, 16);
  kLabel1->SetCaption("Vorlet Disk Cleaner v 2.2");
  kLabel1->SetParent(this);

  Bevel1 = fw::New<skin::TkBevel>(this);
  Bevel1->SetName("Bevel1");
  Bevel1->SetBounds(8, 80, 284, 2);
  Bevel1->SetShape(fw::bsTopLine);
  Bevel1->SetParent(this);

  kBitBtn1 = fw::New<skin::TkBitBtn>(this);
  kBitBtn1->SetName("kBitBtn1");
  kBitBtn1->SetBounds(112, 104, 75, 25);
  kBitBtn1->SetCaption("OK");
  kBitBtn1->SetDefault(true);
  kBitBtn1->SetModalResult(fw::mrOk);
  kBitBtn1->SetParent(this);

  OnKeyDown = fw::Bind(this, &TfrmAbout1::FormKeyDown);
  OnClose = fw::Bind(this, &TfrmAbout1::FormClose);
}

void TfrmAbout1::FormKeyDown(fw::TObject*, WORD& Key, fw::TShiftState) {
  if (Key == 27) Close();
}

void TfrmAbout1::FormClose(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }

}  // namespace app
