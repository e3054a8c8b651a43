// The fixture of the skinned-control tests: a form holding a skinned panel under the control
// test skin, the controls placed on it, and reading back what they show: the screen under a
// control or its whole window, a control's painting into a bitmap of its own, and comparisons
// of pixels.
#pragma once
#include <functional>
#include <memory>

#include "framework/controls/win_control.h"
#include "framework/forms/custom_form.h"
#include "framework/graphics/bitmap.h"
#include "skin/controls/panel.h"
#include "support/control_skin.h"

namespace control_shots {

// The screen under the control's client area (a windowless control's bounds in its parent).
std::unique_ptr<fw::TBitmap> ScreenShot(fw::TControl* control);
// The screen under the whole window, frame included.
std::unique_ptr<fw::TBitmap> WindowShot(fw::TWinControl* control);
// A width x height bitmap filled with the canary colour, painted by paint through its DC.
std::unique_ptr<fw::TBitmap> PaintedBy(int width, int height, const std::function<void(HDC)>& paint);
using control_skin::SamePixels;
// The smallest rectangle holding every pixel for which wanted is true (empty when none).
fw::TRect BoxOf(const fw::TBitmap& bitmap, const std::function<bool(fw::TColor)>& wanted);

class PanelFormTest : public control_skin::ControlSkinTest {
 protected:
  void TearDown() override;
  // A form of the size at (40, 40) holding the panel at panelBounds.
  void MakeForm(int width, int height, const fw::TRect& panelBounds);
  // Shows the form and lets its first paints through.
  void ShowForm();
  // A new control owned by the form, placed on parent.
  template <class T>
  T* Place(fw::TWinControl* parent, int left, int top, int width, int height) {
    T* control = fw::New<T>(form);
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
  }

  fw::TForm* form = nullptr;
  skin::TkPanel* panel = nullptr;
};

}  // namespace control_shots
