#include "framework/dialogs/open_dialog.h"

#include "framework/dialogs/file_dialog_service.h"

namespace fw {

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

DWORD TOpenDialog::NativeFlags() const {
  struct TMap {
    TOpenOption Option;
    DWORD Flag;
  };
  static const TMap map[] = {
      {ofReadOnly, OFN_READONLY},           {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {ofHideReadOnly, OFN_HIDEREADONLY},   {ofNoChangeDir, OFN_NOCHANGEDIR},
      {ofShowHelp, OFN_SHOWHELP},           {ofNoValidate, OFN_NOVALIDATE},
      {ofAllowMultiSelect, OFN_ALLOWMULTISELECT}, {ofPathMustExist, OFN_PATHMUSTEXIST},
      {ofFileMustExist, OFN_FILEMUSTEXIST}, {ofCreatePrompt, OFN_CREATEPROMPT},
      {ofShareAware, OFN_SHAREAWARE},       {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {ofNoTestFileCreate, OFN_NOTESTFILECREATE}, {ofNoNetworkButton, OFN_NONETWORKBUTTON},
      {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS}, {ofEnableSizing, OFN_ENABLESIZING},
  };
  DWORD flags = 0;
  for (const TMap& m : map)
    if (FOptions.Contains(m.Option)) flags |= m.Flag;
  return flags;
}

bool TOpenDialog::Execute() {
  TOpenFileRequest request;
  request.Title = FTitle;
  request.Filter = FFilter;
  request.FilterIndex = FFilterIndex;
  request.InitialDir = FInitialDir;
  request.DefaultExt = FDefaultExt;
  request.FileName = FFileName;
  request.Flags = NativeFlags();
  if (OnShow) OnShow(this);
  bool ok = FileDialogService().OpenFile(request);
  if (OnClose) OnClose(this);
  if (!ok) return false;
  FFilterIndex = request.FilterIndex;
  FFileName = request.FileName;
  FFiles->Clear();
  for (const std::string& name : request.Files) FFiles->Add(name);
  return true;
}

}  // namespace fw
