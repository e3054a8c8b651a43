#include "skin/controls/directory_edit.h"

#include "framework/dialogs/select_directory.h"
#include "framework/rtl/file_utils.h"
#include "skin/engine/skin_utils.h"

namespace skin {

namespace {

constexpr int kDirectoryEditCtrlType = 134;

// The special folder the platform browser roots at for a root name; the desktop for others.
int BrowserRoot(const TkRoot& root) { return root == "rfMyComputer" ? CSIDL_DRIVES : CSIDL_DESKTOP; }

}  // namespace

TkDirectoryEdit::TkDirectoryEdit(fw::TComponent* owner) : TkFileDirEdit(owner) {
  GetSkinData()->CtrlTypeIndex = kDirectoryEditCtrlType;
  SetGlyphName("BTN_OPENFOLDER");
}

std::string TkDirectoryEdit::ConvertedText(std::string (*convert)(const std::string&)) const {
  if (!GetMultipleDirs()) return convert(GetText());
  std::string result;
  const std::string text = GetText();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string part = convert(text.substr(start, end - start));
    if (part.empty()) {
      start = end + 1;
      continue;
    }
    if (!result.empty()) result += ';';
    result += part;
    start = end + 1;
  }
  return result;
}

std::string TkDirectoryEdit::LongPathText() const { return ConvertedText(&GetLongFileName); }

std::string TkDirectoryEdit::ShortPathText() const { return ConvertedText(&GetShortFileName); }

void TkDirectoryEdit::AddFolder(const std::string& folder) {
  if (GetMultipleDirs() && !GetText().empty())
    SetText(GetText() + ";" + folder);
  else
    SetText(folder);
}

void TkDirectoryEdit::StoreFolderName(const std::string& name) {
  AddFolder(fw::FileExists(name) ? fw::ExtractFilePath(name) : name);
}

void TkDirectoryEdit::RunButtonAction() {
  TkFileDirEdit::RunButtonAction();
  std::string start = GetText().empty() ? FInitialDir : GetText();
  if (!fw::DirectoryExists(start))
    start.clear();
  else if (!FNoChangeDir)
    fw::SetCurrentDir(start);
  if (GetSkinData()->SkinIsActive()) {
    fw::Owned<TkPathDialog> dialog = fw::MakeOwned<TkPathDialog>(nullptr);
    dialog->SetRoot(FRoot);
    dialog->SetDialogOptions(FDialogOptions);
    dialog->SetPath(start);
    dialog->SetNoChangeDir(FNoChangeDir);
    if (dialog->Execute() && fw::DirectoryExists(dialog->GetPath())) {
      FInitialDir = dialog->GetPath();
      SetText(dialog->GetPath());
    }
    return;
  }
  std::string chosen = start;
  if (fw::SelectDirectoryIn("", BrowserRoot(FRoot), chosen, BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE)) {
    AddFolder(chosen);
    if (fw::DirectoryExists(chosen)) FInitialDir = chosen;
  }
  if (CanFocus()) SetFocus();
}

}  // namespace skin
