// TCommonDialog/TOpenDialog: the open-file dialog as a component, shown through the file dialog
// service. Filter is "Description|*.ext|..."; with ofAllowMultiSelect every chosen file lands
// in Files.
#pragma once
#include <memory>

#include "framework/core/component.h"
#include "framework/core/events.h"
#include "framework/classes/string_list.h"

namespace fw {

class TCommonDialog : public TComponent {
  FW_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  virtual bool Execute() = 0;
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int v) { FHelpContext = v; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 protected:
  ~TCommonDialog() override = default;

 private:
  int FHelpContext = 0;
};

enum TOpenOption { ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
                   ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
                   ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
                   ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing };
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TCommonDialog {
  FW_CLASS(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* owner);

  bool Execute() override;
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& v) { FTitle = v; }
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& v) { FFilter = v; }
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int v) { FFilterIndex = v; }
  const std::string& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& v) { FInitialDir = v; }
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& v) { FFileName = v; }
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& v) { FDefaultExt = v; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions v) { FOptions = v; }
  TStrings* GetFiles() const { return FFiles.get(); }
  // The OFN_* flags of the options.
  DWORD NativeFlags() const;

  TNotifyEvent OnCanClose;
  TNotifyEvent OnTypeChange;
  TNotifyEvent OnFolderChange;
  TNotifyEvent OnSelectionChange;

 protected:
  ~TOpenDialog() override;

 private:
  std::string FTitle;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FInitialDir;
  std::string FFileName;
  std::string FDefaultExt;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
  std::unique_ptr<TStringList> FFiles;
};

}  // namespace fw
