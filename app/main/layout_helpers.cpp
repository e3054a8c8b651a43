#include "app/main/layout_helpers.h"

#include <string>

namespace app {

skin::TkSkinProvider* MakeSkinProvider(fw::TComponent* form, const char* name, skin::TkBorderIcons icons) {
  auto* provider = fw::New<skin::TkSkinProvider>(form);
  provider->SetName(name);
  provider->SetBorderIcons(icons);
  provider->SetCaptionAlignment(fw::taCenter);
  provider->SetMakeSkinMenu(false);
  provider->SetShowAppIcon(false);
  provider->SetScreenSnap(true);
  provider->SetGripMode(skin::gmRightBottom);
  return provider;
}

skin::TkPanel* MakePanel(fw::TComponent* owner, fw::TWinControl* parent, const char* name, fw::TAlign align,
                         int size) {
  auto* panel = fw::New<skin::TkPanel>(owner);
  if (*name) panel->SetName(name);
  panel->SetCaption("");
  panel->SetBevelOuter(fw::bvNone);
  if (align == fw::alLeft || align == fw::alRight)
    panel->SetWidth(size);
  else if (align == fw::alTop || align == fw::alBottom)
    // A top strip starts far down so that it lines up below the strips already at the top.
    panel->SetBounds(0, align == fw::alTop ? 1000 : 0, panel->GetWidth(), size);
  panel->SetAlign(align);
  panel->SetParent(parent);
  return panel;
}

skin::TkLabel* MakeLabel(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                         int left, int top, int width) {
  auto* label = fw::New<skin::TkLabel>(owner);
  if (*name) label->SetName(name);
  label->SetCaption(caption);
  if (width > 0) {
    label->SetBounds(left, top, width, 16);
  } else {
    label->SetLeft(left);
    label->SetTop(top);
  }
  label->SetParent(parent);
  return label;
}

skin::TkLabelFX* MakeTitle(fw::TComponent* owner, fw::TWinControl* parent, const std::string& name,
                           const std::string& caption, int size, int left, int top, int width, int height) {
  auto* title = fw::New<skin::TkLabelFX>(owner);
  title->SetName(name);
  title->SetCaption(caption);
  title->GetFont()->SetSize(size);
  title->GetFont()->SetStyle(fw::TFontStyles{fw::fsBold});
  title->GetShadow()->SetMode(skin::smSkin1);
  title->SetBounds(left, top, width, height);
  title->SetParent(parent);
  return title;
}

skin::TkBitBtn* MakeButton(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                           const char* hint, int left, int top, int width) {
  auto* button = fw::New<skin::TkBitBtn>(owner);
  button->SetName(name);
  button->SetCaption(caption);
  button->SetBounds(left, top, width, 25);
  if (*hint) {
    button->SetHint(hint);
    button->SetShowHint(true);
  }
  button->SetParent(parent);
  return button;
}

skin::TkGroupBox* MakeGroupBox(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                               int left, int top, int width, int height) {
  auto* group = fw::New<skin::TkGroupBox>(owner);
  group->SetName(name);
  group->SetCaption(caption);
  group->SetBounds(left, top, width, height);
  group->SetParent(parent);
  return group;
}

skin::TkCheckBox* MakeCheckBox(fw::TComponent* owner, fw::TWinControl* parent, const char* name, const char* caption,
                               int left, int top, int width, bool checked) {
  auto* box = fw::New<skin::TkCheckBox>(owner);
  box->SetName(name);
  box->SetCaption(caption);
  box->SetBounds(left, top, width, 17);
  box->SetChecked(checked);
  box->SetParent(parent);
  return box;
}

skin::TkToolBar* MakeToolBar(fw::TComponent* owner, fw::TWinControl* parent, const char* name,
                             fw::TCustomImageList* images) {
  auto* bar = fw::New<skin::TkToolBar>(owner);
  bar->SetName(name);
  bar->SetImages(images);
  bar->SetFlat(true);
  bar->SetList(true);
  bar->SetShowCaptions(true);
  bar->SetShowHint(true);
  // Like a top strip, it starts far down so that it lines up below the panel's title.
  bar->SetBounds(0, 1000, bar->GetWidth(), 26);
  bar->SetAlign(fw::alTop);
  bar->SetParent(parent);
  return bar;
}

fw::TToolButton* MakeToolButton(fw::TComponent* owner, skin::TkToolBar* bar, const char* name, const char* caption,
                                const char* hint, bool visible) {
  auto* button = fw::New<fw::TToolButton>(owner);
  button->SetName(name);
  button->SetText(caption);
  button->SetHint(hint);
  button->SetVisible(visible);
  button->SetToolBar(bar);
  return button;
}

fw::TToolButton* MakeToolSeparator(fw::TComponent* owner, skin::TkToolBar* bar, const char* name) {
  auto* button = fw::New<fw::TToolButton>(owner);
  button->SetName(name);
  button->SetStyle(fw::tbsSeparator);
  button->SetToolBar(bar);
  return button;
}

skin::TkEdit* MakeReadOnlyEdit(fw::TComponent* owner, fw::TWinControl* parent, const char* name,
                               const char* caption, int left, int top, int width) {
  auto* edit = fw::New<skin::TkEdit>(owner);
  edit->SetName(name);
  edit->SetText("");
  edit->SetReadOnly(true);
  edit->SetBounds(left, top, width, 21);
  edit->SetParent(parent);
  edit->GetBoundLabel()->SetCaption(caption);
  edit->GetBoundLabel()->SetActive(true);
  return edit;
}

skin::TkListView* MakeList(fw::TComponent* owner, fw::TWinControl* parent, const char* name, bool checkboxes,
                           std::initializer_list<TColumnLayout> columns, TListRows rows) {
  auto* list = fw::New<skin::TkListView>(owner);
  // Before the window exists: the style cannot change on a living window.
  list->SetRowsOnDemand(rows == TListRows::OnDemand);
  list->SetName(name);
  list->GetSkinData()->SetSkinSection("EDIT");
  list->SetViewStyle(fw::vsReport);
  list->SetCheckboxes(checkboxes);
  list->SetRowSelect(true);
  list->SetReadOnly(true);
  for (const TColumnLayout& layout : columns) {
    fw::TListColumn* column = list->GetColumns()->Add();
    column->SetCaption(layout.Caption);
    if (layout.Width == kAutoWidth)
      column->SetAutoSize(true);
    else
      column->SetWidth(layout.Width);
    if (layout.Right) column->SetAlignment(fw::taRightJustify);
  }
  list->SetAlign(fw::alClient);
  list->SetParent(parent);
  return list;
}

}  // namespace app
