// TkFileDirEdit: the base of the file and folder edits, a combo edit that takes names dropped
// onto it (while AcceptsDrops): each dropped name goes to StoreFolderName, only the first one
// unless the edit takes several names, then OnDropFiles runs.
#pragma once
#include <string>

#include "skin/controls/combo_edit.h"

namespace skin {

class TkFileDirEdit : public TkCustomComboEdit {
  FW_CLASS(TkFileDirEdit, TkCustomComboEdit)
 public:
  explicit TkFileDirEdit(fw::TComponent* owner);

  bool GetAcceptsDrops() const { return FAcceptsDrops; }
  void SetAcceptsDrops(bool value);

  // Text with every name in its long or 8.3 short form.
  virtual std::string LongPathText() const = 0;
  virtual std::string ShortPathText() const = 0;
  // Takes a file or folder name into Text.
  virtual void StoreFolderName(const std::string& name) = 0;

  void WndProc(fw::TMessage& m) override;

  fw::TNotifyEvent OnDropFiles;

 protected:
  ~TkFileDirEdit() override = default;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Before the dropped names are stored.
  virtual void BeforeDropFiles() {}
  // Several names dropped (or chosen) are all taken.
  bool GetMultipleNames() const { return FMultipleNames; }
  void SetMultipleNames(bool value) { FMultipleNames = value; }

 private:
  void DropFiles(HDROP drop);

  bool FMultipleNames = false;
  bool FAcceptsDrops = false;
};

}  // namespace skin
