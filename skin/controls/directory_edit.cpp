#include "skin/controls/directory_edit.h"

#include "framework/msg/messages.h"
#include "framework/rtl/file_utils.h"

namespace skin {

namespace {
constexpr int kButtonWidth = 22;
}  // namespace

TkDirectoryEdit::TkDirectoryEdit(fw::TComponent* owner) : fw::TMaskEdit(owner) {
  SetMaxLength(255);
  SetHeight(21);
  FButton = fw::New<TkSpeedButton>(this);
  FButton->SetCaption("...");
  FButton->SetWidth(kButtonWidth);
  FButton->SetAlign(fw::alRight);
  FButton->SetParent(this);
  FButton->OnClick = fw::Bind(this, &TkDirectoryEdit::ButtonClick);
}

void TkDirectoryEdit::CreateWnd() {
  fw::TMaskEdit::CreateWnd();
  FitEditRect();
}

void TkDirectoryEdit::FitEditRect() {
  if (HandleAllocated())
    Perform(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, FButton->GetVisible() ? FButton->GetWidth() + 2 : 0));
}

void TkDirectoryEdit::Dispatch(fw::TMessage& msg) {
  fw::TMaskEdit::Dispatch(msg);
  if (msg.Msg == fw::CM_FONTCHANGED) FitEditRect();
}

void TkDirectoryEdit::ButtonClick(fw::TObject*) {
  if (GetReadOnly()) return;
  RunButtonAction();
}

void TkDirectoryEdit::RunButtonAction() {
  std::string start = GetText().empty() ? FInitialDir : GetText();
  if (!fw::DirectoryExists(start))
    start.clear();
  else if (!FNoChangeDir)
    fw::SetCurrentDir(start);
  fw::Owned<TkPathDialog> dialog = fw::MakeOwned<TkPathDialog>(nullptr);
  dialog->SetRoot(FRoot);
  dialog->SetPath(start);
  dialog->SetNoChangeDir(FNoChangeDir);
  if (dialog->Execute()) {
    SetText(dialog->GetPath());
    FInitialDir = dialog->GetPath();
  }
  if (CanFocus()) SetFocus();
}

}  // namespace skin
