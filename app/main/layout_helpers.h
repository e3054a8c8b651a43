// Small builders shared by the layout functions of the main window and its tools. Each makes
// one control owned by owner on parent; an empty name leaves the control unnamed.
#pragma once
#include <initializer_list>
#include <string>

#include "framework/controls/win_control.h"
#include "skin/controls/bit_btn.h"
#include "skin/controls/check_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/group_box.h"
#include "skin/controls/label.h"
#include "skin/controls/label_fx.h"
#include "skin/controls/list_view.h"
#include "skin/controls/panel.h"
#include "skin/controls/tool_bar.h"
#include "skin/engine/skin_provider.h"

namespace app {

// A panel without caption or bevel. Aligned left or right it is size wide; aligned to the top
// or the bottom it is size high and comes after what already stands at that side.
// The form skinner with the values every form resource gives it: caption centred, no app icon,
// no skin submenu, snapping to the screen edges, the grip image; icons are its caption buttons.
skin::TkSkinProvider* MakeSkinProvider(fw::TComponent* form, const char* name, skin::TkBorderIcons icons);
skin::TkPanel* MakePanel(fw::TComponent* owner, fw::TWinControl* parent, const char* name, fw::TAlign align,
                         int size);

// A label at the given place; width 0 leaves it the size of its caption.
skin::TkLabel* MakeLabel(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                         int left, int top, int width = 0);

// A large bold title (font size points) at the given place, coloured and shadowed as the skin
// says.
skin::TkLabelFX* MakeTitle(fw::TComponent* owner, fw::TWinControl* parent, const std::string& name,
                           const std::string& caption, int size, int left, int top, int width, int height);

// A 25-pixel-high button at the given place; the hint is shown when it is not empty.
skin::TkBitBtn* MakeButton(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                           const char* hint, int left, int top, int width);

// A group box with its caption at the given place.
skin::TkGroupBox* MakeGroupBox(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                               int left, int top, int width, int height);

// A 17-pixel-high check box at the given place.
skin::TkCheckBox* MakeCheckBox(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                               int left, int top, int width, bool checked);

// A read-only, 21-pixel-high edit at the given place with its caption as its bound label, to its
// left (named after the edit plus "Label").
skin::TkEdit* MakeReadOnlyEdit(fw::TComponent* owner, fw::TWinControl* parent, const char* name,
                               const char* caption, int left, int top, int width);

// A flat, 26-pixel-high tool bar with captions beside the pictures of images and hints, at the
// top of parent below what already stands there.
skin::TkToolBar* MakeToolBar(fw::TComponent* owner, fw::TWinControl* parent, const char* name,
                             fw::TCustomImageList* images);

// A tool bar button (no image) with its caption and hint, added at the end of bar.
fw::TToolButton* MakeToolButton(fw::TComponent* owner, skin::TkToolBar* bar, const char* name, const char* caption,
                                const char* hint, bool visible = true);
// A separator added at the end of bar.
fw::TToolButton* MakeToolSeparator(fw::TComponent* owner, skin::TkToolBar* bar, const char* name);

// One column of a list: its caption, its width (kAutoWidth: the width the other columns
// leave) and whether its texts are right-aligned.
inline constexpr int kAutoWidth = -1;
struct TColumnLayout {
  const char* Caption;
  int Width;
  bool Right = false;
};

// Where a list keeps its rows: itself, or the program, the window asking for them only when it
// shows them (for lists that may hold thousands).
enum class TListRows { Kept, OnDemand };

// A read-only report list with whole-row selection and the given columns, filling parent.
skin::TkListView* MakeList(fw::TComponent* owner, fw::TWinControl* parent, const char* name, bool checkboxes,
                           std::initializer_list<TColumnLayout> columns, TListRows rows = TListRows::Kept);

}  // namespace app
