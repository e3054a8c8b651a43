#include "skin/controls/open_dialog_form.h"

#include <span>

#include "framework/classes/string_list.h"
#include "framework/comctrls/list_item.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"
#include "skin/controls/bound_label.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/edit.h"
#include "skin/controls/filter_combo_box.h"
#include "skin/controls/open_dialog.h"
#include "skin/controls/shell_combo_box.h"
#include "skin/controls/shell_list_view.h"
#include "skin/controls/speed_button.h"
#include "skin/engine/skin_provider.h"

namespace skin {

namespace {

enum TNavGlyph { ngBack, ngUp, ngNewFolder, ngViews };

// The navigation buttons' pictures, 16 x 16 on the transparent $FF00FF.
std::unique_ptr<fw::TBitmap> NavGlyph(TNavGlyph kind) {
  auto glyph = std::make_unique<fw::TBitmap>();
  glyph->SetSize(16, 16);
  fw::TCanvas* canvas = glyph->GetCanvas();
  canvas->GetBrush()->SetStyle(fw::bsSolid);
  canvas->GetBrush()->SetColor(fw::clFuchsia);
  canvas->FillRect(fw::TRect(0, 0, 16, 16));
  canvas->GetPen()->SetStyle(fw::psSolid);
  canvas->GetPen()->SetColor(fw::clBlack);
  auto polygon = [&](fw::TColor fill, std::initializer_list<fw::TPoint> points) {
    canvas->GetBrush()->SetColor(fill);
    canvas->Polygon(std::span<const fw::TPoint>(points.begin(), points.size()));
  };
  const fw::TColor folder = 0x4AC8F0;
  switch (kind) {
    case ngBack:
      polygon(fw::clGreen, {{2, 8}, {8, 2}, {8, 5}, {14, 5}, {14, 11}, {8, 11}, {8, 14}});
      break;
    case ngUp:
      polygon(folder, {{1, 5}, {5, 5}, {6, 4}, {10, 4}, {10, 14}, {1, 14}});
      polygon(fw::clGreen, {{11, 2}, {15, 6}, {13, 6}, {13, 12}, {9, 12}, {9, 6}, {7, 6}});
      break;
    case ngNewFolder:
      polygon(folder, {{1, 5}, {6, 5}, {7, 4}, {12, 4}, {12, 14}, {1, 14}});
      polygon(fw::clYellow, {{12, 0}, {13, 2}, {15, 3}, {13, 4}, {12, 6}, {11, 4}, {9, 3}, {11, 2}});
      break;
    case ngViews:
      canvas->GetBrush()->SetColor(fw::clWhite);
      for (int y : {2, 9})
        for (int x : {2, 9}) canvas->Rectangle(x, y, x + 6, y + 6);
      break;
  }
  return glyph;
}

// A "&" shows as itself in a menu caption when doubled.
std::string MenuText(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '&') result += '&';
    result += c;
  }
  return result;
}

}  // namespace

TkOpenDialogForm::TkOpenDialogForm(fw::TComponent* owner) : fw::TForm(owner) {
  SetCaption("Open");
  SetBorderStyle(fw::bsSizeToolWin);
  SetKeyPreview(true);
  SetPosition(fw::poScreenCenter);
  SetClientWidth(480);
  SetClientHeight(330);
  SetConstraints(fw::TSizeConstraints{380, 260, 0, 0});
  const int cw = GetClientWidth(), ch = GetClientHeight();
  OnShow = fw::Bind(this, &TkOpenDialogForm::FormShow);
  OnClose = fw::Bind(this, &TkOpenDialogForm::FormClose);
  OnCloseQuery = fw::Bind(this, &TkOpenDialogForm::FormCloseQuery);
  // Loaded as a form resource would be: the controls take their section colours then.
  fw::TLoadScope loading;

  HistMenu = fw::New<fw::TPopupMenu>(this);
  HistMenu->SetName("HistMenu");
  PopupMenu1 = fw::New<fw::TPopupMenu>(this);
  PopupMenu1->SetName("PopupMenu1");
  auto viewItem = [&](fw::TMenuItem*& slot, const char* name, const char* caption) {
    slot = fw::New<fw::TMenuItem>(this);
    slot->SetName(name);
    slot->SetCaption(caption);
    slot->OnClick = fw::Bind(this, &TkOpenDialogForm::ViewStyleClick);
    PopupMenu1->GetItems()->Add(slot);
  };
  viewItem(List1, "List1", "List");
  viewItem(Icons1, "Icons1", "Report");
  viewItem(Icons2, "Icons2", "Icons");
  viewItem(Smallicons1, "Smallicons1", "Small icons");
  List1->SetChecked(true);

  // The top row: the folder combo and the navigation buttons at its right.
  auto speedButton = [&](TkSpeedButton*& slot, const char* name, const char* hint, TNavGlyph glyph, int left,
                         fw::TPopupMenu* menu) {
    slot = fw::New<TkSpeedButton>(this);
    slot->SetName(name);
    slot->SetParent(this);
    slot->SetHint(hint);
    slot->SetShowHint(true);
    slot->SetGlyph(NavGlyph(glyph).get());
    if (menu) {
      slot->SetButtonStyle(fw::tbsDropDown);
      slot->SetDropdownMenu(menu);
    }
    slot->SetBounds(left, 8, menu ? 24 + kDropDownWidth : 24, 24);
    slot->SetAnchors(fw::TAnchors{fw::akRight, fw::akTop});
  };
  speedButton(KindBtn, "KindBtn", "View style", ngViews, cw - 48, PopupMenu1);
  speedButton(CreateDirBtn, "CreateDirBtn", "New directory", ngNewFolder, cw - 74, nullptr);
  speedButton(UpBtn, "UpBtn", "Up one level", ngUp, cw - 100, nullptr);
  speedButton(BackBtn, "BackBtn", "Back", ngBack, cw - 142, HistMenu);
  BackBtn->OnClick = [this](fw::TObject*) { GoBack(); };
  BackBtn->SetEnabled(false);
  UpBtn->OnClick = fw::Bind(this, &TkOpenDialogForm::UpClick);
  CreateDirBtn->SetEnabled(false);
  KindBtn->OnClick = fw::Bind(this, &TkOpenDialogForm::KindClick);

  const int labelWidth = 72;
  DriveComboBox = fw::New<TkShellComboBox>(this);
  DriveComboBox->SetName("DriveComboBox");
  DriveComboBox->SetParent(this);
  DriveComboBox->SetBounds(labelWidth + 8, 9, cw - 150 - labelWidth - 8, 22);
  DriveComboBox->SetAnchors(fw::TAnchors{fw::akLeft, fw::akTop, fw::akRight});
  DriveComboBox->GetBoundLabel()->SetCaption("Folder");
  DriveComboBox->GetBoundLabel()->SetActive(true);
  DriveComboBox->OnChange = fw::Bind(this, &TkOpenDialogForm::FolderChanged);

  FileListView = fw::New<TkDlgShellListView>(this);
  FileListView->SetName("FileListView");
  FileListView->SetParent(this);
  FileListView->GetSkinData()->SetSkinSection("EDIT");
  FileListView->SetBounds(8, 40, cw - 16, ch - 40 - 96);
  FileListView->SetAnchors(fw::TAnchors{fw::akLeft, fw::akTop, fw::akRight, fw::akBottom});
  FileListView->SetViewStyle(fw::vsList);
  FileListView->SetSorted(true);
  FileListView->SetReadOnly(false);
  FileListView->SetHideSelection(false);
  FileListView->SetShellComboBox(DriveComboBox);
  FileListView->OnSelectItem = fw::Bind(this, &TkOpenDialogForm::ListSelectItem);
  FileListView->OnDblClick = fw::Bind(this, &TkOpenDialogForm::ListDblClick);

  // The bottom rows: name and Open, type and Cancel, read-only and Help.
  auto button = [&](TkButton*& slot, const char* name, const char* caption, int top) {
    slot = fw::New<TkButton>(this);
    slot->SetName(name);
    slot->SetParent(this);
    slot->SetCaption(caption);
    slot->SetBounds(cw - 83, top, 75, 25);
    slot->SetAnchors(fw::TAnchors{fw::akRight, fw::akBottom});
  };
  button(kButton1, "kButton1", "Open", ch - 89);
  button(kButton2, "kButton2", "Cancel", ch - 60);
  button(BtnHelp, "BtnHelp", "&Help", ch - 31);
  kButton1->SetDefault(true);
  kButton1->OnClick = fw::Bind(this, &TkOpenDialogForm::OpenClick);
  kButton2->SetCancel(true);
  kButton2->OnClick = fw::Bind(this, &TkOpenDialogForm::CancelClick);
  BtnHelp->OnClick = fw::Bind(this, &TkOpenDialogForm::HelpClick);

  const int fieldWidth = cw - 83 - 8 - labelWidth - 8;
  FileNameEdit = fw::New<TkEdit>(this);
  FileNameEdit->SetName("FileNameEdit");
  FileNameEdit->SetParent(this);
  FileNameEdit->SetText("");
  FileNameEdit->SetBounds(labelWidth + 8, ch - 87, fieldWidth, 21);
  FileNameEdit->SetAnchors(fw::TAnchors{fw::akLeft, fw::akRight, fw::akBottom});
  FileNameEdit->GetBoundLabel()->SetCaption("File name");
  FileNameEdit->GetBoundLabel()->SetActive(true);

  FileTypeBox = fw::New<TkFilterComboBox>(this);
  FileTypeBox->SetName("FileTypeBox");
  FileTypeBox->SetParent(this);
  FileTypeBox->SetBounds(labelWidth + 8, ch - 58, fieldWidth, 21);
  FileTypeBox->SetAnchors(fw::TAnchors{fw::akLeft, fw::akRight, fw::akBottom});
  FileTypeBox->GetBoundLabel()->SetCaption("File type");
  FileTypeBox->GetBoundLabel()->SetActive(true);
  FileTypeBox->OnChange = fw::Bind(this, &TkOpenDialogForm::TypeChange);

  CheckBoxReadOnly = fw::New<TkCheckBox>(this);
  CheckBoxReadOnly->SetName("CheckBoxReadOnly");
  CheckBoxReadOnly->SetParent(this);
  CheckBoxReadOnly->SetCaption("Read only");
  CheckBoxReadOnly->SetBounds(labelWidth + 8, ch - 27, 120, 17);
  CheckBoxReadOnly->SetAnchors(fw::TAnchors{fw::akLeft, fw::akBottom});
  CheckBoxReadOnly->SetVisible(false);
}

// The skinner comes after the controls exist, so that preparing the form skins them too.
void TkOpenDialogForm::AfterConstruction() {
  fw::TForm::AfterConstruction();
  FSkinProvider = fw::New<TkSkinProvider>(this);
  FSkinProvider->SetSkinSection("DIALOG");
  FSkinProvider->SetGripMode(gmRightBottom);
  FSkinProvider->SetScreenSnap(true);
  FSkinProvider->SetMakeSkinMenu(false);
  FSkinProvider->PrepareForm();
}

void TkOpenDialogForm::FormShow(fw::TObject*) {
  if (FDialog && FDialog->OnShow) FDialog->OnShow(FDialog);
  FolderChanged(this);
}

void TkOpenDialogForm::FormClose(fw::TObject*, fw::TCloseAction&) {
  if (FDialog && FDialog->OnClose) FDialog->OnClose(FDialog);
}

void TkOpenDialogForm::FormCloseQuery(fw::TObject*, bool&) {
  if (FDialog && FDialog->OnCanClose) FDialog->OnCanClose(FDialog);
}

// --- folders and history ---

void TkOpenDialogForm::GoToFolder(const std::string& path) {
  if (!fw::DirectoryExists(path)) return;
  DriveComboBox->SetPath(path);
  TkShellFolder* folder = DriveComboBox->FolderAt(DriveComboBox->GetItemIndex());
  if (folder) FileListView->SetFolderPidl(folder->AbsoluteID());
  FolderChanged(this);
}

void TkOpenDialogForm::FolderChanged(fw::TObject*) {
  const std::string path = DriveComboBox->GetPath();
  if (!FNavigating && fw::DirectoryExists(path) && (FHistory.empty() || FHistory.back() != path)) AddToHistory(path);
  UpBtn->SetEnabled(DriveComboBox->GetItemIndex() > 0);
  BackBtn->SetEnabled(FHistory.size() >= 2);
  FNavigating = false;
  if (FDialog && FDialog->OnFolderChange) FDialog->OnFolderChange(FDialog);
}

// The newest entry is the folder shown: its menu item stays hidden until another comes.
void TkOpenDialogForm::AddToHistory(const std::string& path) {
  fw::TMenuItem* items = HistMenu->GetItems();
  if (items->GetCount() > 0) items->GetItems(items->GetCount() - 1)->SetVisible(true);
  auto* item = fw::New<fw::TMenuItem>(this);
  item->SetCaption(MenuText(path));
  item->SetTag(static_cast<int>(FHistory.size()));
  item->SetVisible(false);
  item->OnClick = fw::Bind(this, &TkOpenDialogForm::HistoryItemClick);
  items->Add(item);
  FHistory.push_back(path);
}

// The path comes from the history by the item's tag: a caption holds "&" doubled.
void TkOpenDialogForm::HistoryItemClick(fw::TObject* sender) {
  auto* item = dynamic_cast<fw::TMenuItem*>(sender);
  if (!item || item->GetTag() < 0 || item->GetTag() >= static_cast<int>(FHistory.size())) return;
  FNavigating = true;
  GoToFolder(FHistory[static_cast<size_t>(item->GetTag())]);
  FNavigating = false;
}

void TkOpenDialogForm::GoBack() {
  if (FHistory.size() >= 2) {
    const std::string path = FHistory[FHistory.size() - 2];
    if (path != DriveComboBox->GetPath()) {
      FHistory.pop_back();
      fw::TMenuItem* items = HistMenu->GetItems();
      items->Delete(items->GetCount() - 1);
      items->GetItems(items->GetCount() - 1)->SetVisible(false);
      FNavigating = true;
      GoToFolder(path);
      FNavigating = false;
    }
  }
  BackBtn->SetEnabled(FHistory.size() >= 2);
}

void TkOpenDialogForm::UpClick(fw::TObject*) { FileListView->UpOneLevel(); }

// --- view styles and file types ---

void TkOpenDialogForm::ViewStyleClick(fw::TObject* sender) {
  const std::pair<fw::TMenuItem*, fw::TViewStyle> styles[] = {
      {List1, fw::vsList}, {Icons1, fw::vsReport}, {Icons2, fw::vsIcon}, {Smallicons1, fw::vsSmallIcon}};
  for (const auto& [item, style] : styles) {
    item->SetChecked(item == sender);
    if (item == sender) FileListView->SetViewStyle(style);
  }
}

void TkOpenDialogForm::KindClick(fw::TObject*) {
  switch (FileListView->GetViewStyle()) {
    case fw::vsIcon: ViewStyleClick(List1); break;
    case fw::vsList: ViewStyleClick(Icons2); break;
    case fw::vsSmallIcon: ViewStyleClick(Icons1); break;
    case fw::vsReport: break;
  }
}

void TkOpenDialogForm::TypeChange(fw::TObject*) {
  FileListView->SetMask(FileTypeBox->GetMask());
  if (FDialog && FDialog->OnTypeChange) FDialog->OnTypeChange(FDialog);
}

// --- the list ---

bool TkOpenDialogForm::SelectedIsFolder() const {
  TkShellFolder* folder = FileListView->SelectedFolder();
  return folder && folder->IsFolder(FOpenZipAsFolder);
}

void TkOpenDialogForm::ListSelectItem(fw::TObject*, fw::TListItem* item, bool selected) {
  if (!item || !selected || !FDialog || GetComponentState().Contains(fw::csDestroying)) return;
  TkShellFolder* folder = FileListView->FolderAt(item->GetIndex());
  if (!folder || folder->IsFolder(FOpenZipAsFolder)) return;
  fw::TStrings* files = FDialog->GetFiles();
  if (FileListView->GetMultiSelect() && FileListView->GetSelCount() > 0) {
    FileNameEdit->SetText("");
    files->Clear();
    HWND list = FileListView->GetHandle();
    for (int n = ListView_GetNextItem(list, -1, LVNI_SELECTED); n >= 0; n = ListView_GetNextItem(list, n, LVNI_SELECTED)) {
      TkShellFolder* row = FileListView->FolderAt(n);
      if (row && row->IsFile(FOpenZipAsFolder)) files->Add(row->PathName());
    }
  }
  if (FileListView->GetMultiSelect() && files->GetCount() >= 2) {
    std::string text;
    for (int n = 0; n < files->GetCount(); ++n)
      text += (n ? " \"" : "\"") + fw::ExtractFileName(files->GetStrings(n)) + "\"";
    FileNameEdit->SetText(text);
    FDialog->SetFileName(files->GetStrings(0));
  } else {
    FDialog->SetFileName(folder->PathName());
    FileNameEdit->SetText(fw::ExtractFileName(folder->PathName()));
  }
  if (FDialog->OnSelectionChange) FDialog->OnSelectionChange(FDialog);
}

void TkOpenDialogForm::ListDblClick(fw::TObject*) {
  TkShellFolder* folder = FileListView->SelectedFolder();
  if (!folder) return;
  if (folder->IsFolder(FOpenZipAsFolder))
    FileListView->SetFolderPidl(folder->AbsoluteID());
  else
    kButton1->Click();
}

// --- the buttons ---

void TkOpenDialogForm::OpenClick(fw::TObject*) {
  if ((FileListView->Focused() && SelectedIsFolder()) || FileListView->IsEditing()) {
    SetModalResult(fw::mrNone);
    if (SelectedIsFolder()) FileListView->SetFolderPidl(FileListView->SelectedFolder()->AbsoluteID());
    return;
  }
  SetModalResult(fw::mrNone);
  if (!FDialog) return;
  const std::string name = OpenButtonName(DriveComboBox->GetPath(), FileNameEdit->GetText(),
                                          FileListView->GetMultiSelect() ? FDialog->GetFiles() : nullptr,
                                          FDialog->GetDefaultExt());
  // Nothing typed and nothing selected: the button does nothing.
  if (name.empty()) return;
  // The program has no save dialog class, so no dialog here is a save-type one.
  if (!AcceptOpenName(name, FDialog->GetOptions(), false)) return;
  FResultName = name;
  SetModalResult(fw::mrOk);
}

void TkOpenDialogForm::CancelClick(fw::TObject*) {
  SetModalResult(FileListView->IsEditing() ? fw::mrNone : fw::mrCancel);
}

// The program has no help file: Help shows nothing.
void TkOpenDialogForm::HelpClick(fw::TObject*) {}

}  // namespace skin
