#include "support/panel_form_fixture.h"

#include <algorithm>

#include "framework/forms/application.h"
#include "framework/graphics/canvas.h"
#include "support/skin_paint_fixture.h"
#include "support/test_skins.h"

namespace control_shots {

namespace {

std::unique_ptr<fw::TBitmap> FromScreen(int x, int y, int width, int height) {
  auto shot = testing_paint::Filled(width, height);
  HDC screen = GetDC(nullptr);
  BitBlt(shot->GetCanvas()->GetHandle(), 0, 0, width, height, screen, x, y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  return shot;
}

}  // namespace

std::unique_ptr<fw::TBitmap> ScreenShot(fw::TControl* c) {
  auto* windowed = dynamic_cast<fw::TWinControl*>(c);
  if (!windowed) return control_skin::ScreenOf(c);
  const fw::TPoint origin = windowed->ClientToScreen(fw::TPoint(0, 0));
  return FromScreen(origin.X, origin.Y, c->GetClientWidth(), c->GetClientHeight());
}

std::unique_ptr<fw::TBitmap> WindowShot(fw::TWinControl* c) {
  RECT r{};
  GetWindowRect(c->GetHandle(), &r);
  return FromScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::unique_ptr<fw::TBitmap> PaintedBy(int width, int height, const std::function<void(HDC)>& paint) {
  auto bmp = testing_paint::Filled(width, height);
  HDC dc = bmp->GetCanvas()->GetHandle();
  const int saved = SaveDC(dc);
  paint(dc);
  RestoreDC(dc, saved);
  GdiFlush();
  return bmp;
}

fw::TRect BoxOf(const fw::TBitmap& bitmap, const std::function<bool(fw::TColor)>& wanted) {
  fw::TRect box(bitmap.GetWidth(), bitmap.GetHeight(), 0, 0);
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x)
      if (wanted(test_skins::PixelOf(bitmap, x, y))) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.Right > box.Left ? box : fw::TRect();
}

void PanelFormTest::TearDown() {
  fw::Free(form);
  ControlSkinTest::TearDown();
}

void PanelFormTest::MakeForm(int width, int height, const fw::TRect& panelBounds) {
  form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(40, 40, width, height);
  panel = Place<skin::TkPanel>(form, panelBounds.Left, panelBounds.Top, panelBounds.Width(), panelBounds.Height());
}

void PanelFormTest::ShowForm() {
  form->Show();
  Settle();
}

}  // namespace control_shots
