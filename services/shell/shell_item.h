// TSvShellItem: one entry of the shell namespace (a file, a folder, a drive, a virtual folder)
// with its item-ID lists, names and, read when first asked for, its size, date, attributes and
// images. TSvShellFolder: the kind the tree and the combo box keep.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/core/object.h"
#include "framework/graphics/icon.h"
#include "framework/rtl/date_time.h"
#include "framework/classes/string_list.h"
#include "framework/win.h"
#include "services/shell/com_ref.h"

namespace svc {

class TSvCustomShellController;

class TSvShellItem : public fw::TObject {
  FW_CLASS(TSvShellItem, fw::TObject)
 public:
  // An empty item; with no controller the item makes one of its own and frees it with itself.
  explicit TSvShellItem(TSvCustomShellController* controller);
  // The item of an absolute item-ID list (an empty item for null).
  static TSvShellItem* CreateFromPidl(LPCITEMIDLIST pidl, TSvCustomShellController* controller);

  // Copies everything but IsFile; item-ID lists are cloned, the parent folder looked up anew.
  virtual void Assign(const TSvShellItem* source);
  // Opens the item as the shell's default verb does; true when the shell could.
  bool Execute();

  // Attribute questions to the parent folder.
  bool CanRename() const;
  bool HasSubFolder() const;
  bool IsCompressed() const;
  bool IsHidden() const;
  bool IsLink() const;
  bool IsShared() const;
  bool IsShellFolder() const;

  // Read when first asked for.
  int GetImageIndex();
  int GetOpenImageIndex();
  int GetOverlayIndex();
  // Bytes; -1 for an item outside the file system.
  int64_t GetSize();
  fw::TDateTime GetDate();
  fw::TIcon* GetSmallIcon();
  // Reads size, date and attributes of a file-system item.
  void LoadFileData();
  // Takes size, date and attributes from a record of the file system (null: none found).
  void SetFileData(const WIN32_FIND_DATAA* data);
  // After the shell renamed the item: its relative ID becomes a copy of newRelative, its
  // absolute ID list parentPidl + newRelative, its path is read anew and its display name is
  // the new name.
  void Renamed(LPCITEMIDLIST newRelative, LPCITEMIDLIST parentPidl, const std::string& newName);
  // Makes the parent folder drop what it cached of the item, then reads its display name and
  // icon again (a medium was inserted or removed).
  void RefreshFromShell();

  fw::TStringList* GetColumnTexts() const { return FColumnTexts.get(); }
  TSvCustomShellController* GetController() const { return FController; }
  const std::string& GetDisplayName() const { return FDisplayName; }
  DWORD GetAttributes() const { return FAttributes; }
  const std::string& GetAttributeLetters() const { return FAttributeLetters; }
  bool GetIsDesktop() const { return FIsDesktop; }
  bool GetIsFile() const { return FIsFile; }
  bool GetIsFolder() const { return FIsFolder; }
  bool GetIsFileSystem() const { return FIsFileSystem; }
  IShellFolder* GetParentFolder() const { return FParentFolder.Get(); }
  const std::string& GetPath() const { return FPath; }
  LPITEMIDLIST GetPidl() const { return FPidl.Get(); }
  LPITEMIDLIST GetRelativePidl() const { return FRelativePidl.Get(); }
  const std::string& GetTypeName() const { return FTypeName; }
  void SetTypeName(const std::string& v) { FTypeName = v; }
  DWORD GetDosDateTime() const { return FDosDateTime; }
  bool GetColumnsFilled() const { return FColumnsFilled; }
  void SetColumnsFilled(bool v) { FColumnsFilled = v; }
  fw::TObject* GetOwnerList() const { return FOwnerList; }
  void SetOwnerList(fw::TObject* v) { FOwnerList = v; }
  bool GetOwnsController() const { return FOwnsController; }
  // True once LoadFileData has read the size.
  bool GetSizeRead() const { return FSizeRead; }

 protected:
  ~TSvShellItem() override;
  // Copies what an item and a folder share.
  void AssignCommon(const TSvShellItem* source);
  void CopyRelativePidl(const TSvShellItem* source);

 private:
  friend class TSvCustomShellController;
  bool HasAttribute(ULONG bit) const;
  void SetWriteTime(const FILETIME& utc);
  // The names, kinds and parent of an item whose Pidl and RelativePidl are set.
  void ReadIdentity(IShellFolder* parent, ULONG attributes);
  // A network item's display name loses its " on <server>" tail.
  void CutNetworkTail();

  std::unique_ptr<fw::TStringList> FColumnTexts;
  TSvCustomShellController* FController = nullptr;
  fw::TDateTime FDate = 0;
  int64_t FSize = -1;
  bool FSizeRead = false;
  std::string FDisplayName;
  DWORD FAttributes = 0;
  std::string FAttributeLetters;
  int FImageIndex = -1;
  bool FIsDesktop = false;
  bool FIsFile = false;
  bool FIsFolder = false;
  bool FIsFileSystem = false;
  int FOpenImageIndex = -1;
  int FOverlayIndex = -1;
  TComRef<IShellFolder> FParentFolder;
  std::string FPath;
  TPidl FPidl;
  TPidl FRelativePidl;
  std::unique_ptr<fw::TIcon> FSmallIcon;
  std::string FTypeName;
  DWORD FDosDateTime = 0;
  bool FColumnsFilled = false;
  fw::TObject* FOwnerList = nullptr;
  bool FOwnsController = false;
};

class TSvShellFolder : public TSvShellItem {
  FW_CLASS(TSvShellFolder, TSvShellItem)
 public:
  explicit TSvShellFolder(TSvCustomShellController* controller) : TSvShellItem(controller) {}
  // As the item's, but without attributes, IsFile and controller; copies Value1 to Value3.
  void Assign(const TSvShellItem* source) override;

  // Numbers the views keep with a folder; the combo box's indent level and inserted flag.
  int Value1 = -1;
  int Value2 = -1;
  int Value3 = -1;
  int IndentLevel = -1;
  bool Inserted = false;

 protected:
  ~TSvShellFolder() override = default;
};

// "H", "S", "R", "C", "A" for the hidden, system, read-only, compressed and archive bits.
std::string AttributeLetters(DWORD attributes);

// Opens a file with the shell's "Open" verb, as a double-clicked file is opened.
bool SvShellOpenFile(HWND window, const std::string& path);

namespace testing {
// Receives what would be handed to the shell to run: a file opened by path (pidl null) or an
// item run by its ID list (path empty); answers whether the shell could.
using TSvShellRun = std::function<bool(const std::string& path, LPCITEMIDLIST pidl)>;
// Replaces the shell's running of items (an empty function restores it); returns the previous one.
TSvShellRun SetShellRun(TSvShellRun run);
}  // namespace testing

}  // namespace svc
