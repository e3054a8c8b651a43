// The non-visual layer of the skinned shell views: item-ID list (PIDL) helpers working with the
// shell allocator, the root-folder names, TkShellFolder (one namespace item with its parent link
// and lazily obtained shell interfaces), the shell's context menu and its verb hook.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/core/sets.h"
#include "framework/msg/messages.h"
#include "framework/win.h"
#include "services/shell/com_ref.h"

namespace fw {
class TObject;
class TStringList;
}  // namespace fw

namespace skin {

class TkShellFolder;

// The special roots a view can be pointed at; a TkRoot string holds one of these names or a path.
enum TkRootFolder {
  rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory, rfCommonPrograms,
  rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory, rfFavorites, rfFonts, rfInternet,
  rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};
using TkRoot = std::string;

enum TkShellObjectType { otFolders, otNonFolders, otHidden };
using TkShellObjectTypes = fw::TSet<TkShellObjectType>;
// The SHCONTF_ enumeration flags of a set of object types.
DWORD ObjectTypeFlags(TkShellObjectTypes types);

enum TkShowExtension { seSystem, seShow, seHide };

enum TkShellCapability { caCopy, caDelete, caLink, caMove, caRename, caDropTarget, caPropSheet };
using TkShellCapabilities = fw::TSet<TkShellCapability>;
enum TkShellProperty { prHidden, prLink, prReadOnly, prShared, prFileSystem, prFileSysAncestor, prRemovable, prValidate };
using TkShellProperties = fw::TSet<TkShellProperty>;

// Asked by the context menu around the verb the user chose.
struct IkContextVerbHook {
  virtual void BeforeVerb(const std::string& verb, bool& handled) = 0;
  virtual void AfterVerb(const std::string& verb, bool succeeded) = 0;

 protected:
  ~IkContextVerbHook() = default;
};

// PIDL helpers; every list made here comes from, and goes back to, the shell allocator.
LPITEMIDLIST AllocPidl(UINT size);
LPITEMIDLIST NextItemId(LPCITEMIDLIST pidl);
// Ends the list before its last item; null is left alone.
void StripLastItemId(LPITEMIDLIST pidl);
int CountItemIds(LPCITEMIDLIST pidl);
// Bytes including the terminating zero count; 0 for null.
UINT PidlSize(LPCITEMIDLIST pidl);
LPITEMIDLIST CopyPidl(LPCITEMIDLIST pidl);
// a (may be null) followed by b.
LPITEMIDLIST ConcatPidls(LPCITEMIDLIST a, LPCITEMIDLIST b);
void FreePidl(LPITEMIDLIST pidl);
// A copy of the last item alone.
LPITEMIDLIST LastItemIdCopy(LPCITEMIDLIST pidl);
// The proper prefixes of the list, shortest first: the empty list, the first item, the first two...
std::vector<LPITEMIDLIST> PidlToList(LPCITEMIDLIST pidl);
void FreePidlList(std::vector<LPITEMIDLIST>& list);
// The desktop folder finds both lists equal.
bool SamePidls(LPCITEMIDLIST a, LPCITEMIDLIST b);
// The desktop's own list and folder; failure raises.
LPITEMIDLIST DesktopPidl();
IShellFolder* DesktopShellFolder();
// The folder part of a path with its trailing backslash ("" without one).
std::string FolderOfPath(const std::string& path);
// Makes the folder of the item's path the current directory; returns the one it replaces.
std::string EnterItemDirectory(const TkShellFolder* folder);
// The absolute list of a path parsed by the desktop folder; failure raises.
LPITEMIDLIST PidlFromPath(const std::string& path);
// The TkRootFolder of a root name, -1 for any other string.
int RootFolderFromName(const std::string& name);
int RootFolderCsidl(TkRootFolder root);
// The system image-list index of an item, given by its absolute list or by its path.
int ShellImageIndex(LPCITEMIDLIST pidl, bool large, bool open);
int ShellImageIndex(const std::string& path, bool large, bool open);

// Whether the folder lists at least one item of the SHCONTF_ flags (no critical-error boxes).
bool HasItems(IShellFolder* folder, DWORD flags);
// The item's name as the folder gives it for flags, with the "?digit" and ShowExt rules.
std::string GetItemDisplayName(IShellFolder* parentFolder, LPCITEMIDLIST pidl, DWORD flags, TkShowExtension showExt);

class TkShellFolder {
 public:
  // Copies pidl (relative to parent's folder, or to the desktop without a parent).
  TkShellFolder(TkShellFolder* parent, IShellFolder* shellFolder, LPCITEMIDLIST pidl);
  virtual ~TkShellFolder();
  TkShellFolder(const TkShellFolder&) = delete;
  TkShellFolder& operator=(const TkShellFolder&) = delete;

  TkShellFolder* Parent() const { return FParent; }
  IShellFolder* ShellFolder() const { return FShellFolder.Get(); }
  LPITEMIDLIST RelativeID() const { return FRelative; }
  LPITEMIDLIST AbsoluteID() const { return FAbsolute; }
  int Level() const { return FLevel; }
  // The parent's folder interface, else the desktop's.
  IShellFolder* ParentShellFolder() const;

  TkShellProperties Properties() const;
  TkShellCapabilities Capabilities() const;
  bool SubFolders() const;
  bool IsFolder(bool openZipFiles = false) const;
  bool IsFile(bool openZipFiles = false) const;
  std::string PathName() const;
  std::string DisplayName(TkShowExtension showExt = seSystem) const;
  int ImageIndex(bool large) const;
  void ExecuteDefault() const;
  // Renames through the parent folder; a refusal raises "Rename to %s failed".
  bool Rename(const std::string& newName);
  void LoadColumnDetails(HWND handle, int count);
  // Column text (1-based) after LoadColumnDetails.
  std::string Details(int index) const;
  // The IShellFolder2 found for the details, null when the folder is none.
  IShellFolder2* ShellFolder2();

 private:
  void ChooseDetailsInterface();

  LPITEMIDLIST FRelative = nullptr;
  LPITEMIDLIST FAbsolute = nullptr;
  TkShellFolder* FParent = nullptr;
  svc::TComRef<IShellFolder> FShellFolder;
  svc::TComRef<IShellFolder2> FShellFolder2;
  svc::TComRef<IShellDetails> FShellDetails;
  bool FDetailsChosen = false;
  int FLevel = 0;
  HWND FOwnerWindow = nullptr;
  std::vector<std::string> FDetails;
};

// The folder of an absolute list, parented by the desktop folder.
TkShellFolder* CreateFolderFromPidl(LPCITEMIDLIST pidl);
// The folder a root string names (a TkRootFolder name or a path); frees previous. A root that
// cannot be set raises "Error Setting Path".
TkShellFolder* CreateRootFolder(TkShellFolder* previous, const TkRoot& root);
// The desktop folder of the running skin engine (made at start-up).
TkShellFolder* DesktopFolder();
// Start-up and shutdown of the shell layer, run by the skin engine's.
void StartShellFolders();
void StopShellFolders();

// Shows the item's context menu at (x, y) of owner's window; owner's verb hook is asked first.
void InvokeContextMenu(fw::TObject* owner, HWND ownerWindow, TkShellFolder* folder, int x, int y);
// Runs a verb of the item's context menu.
void InvokeVerb(TkShellFolder* folder, const std::string& verb);
// Hands a menu message of the owner (a submenu opening, an owner-drawn item) to the context menu
// being tracked; false when none is.
bool PassToOpenContextMenu(fw::TMessage& m);

namespace testing {
// Gives the folder interface of an absolute list for CreateFolderFromPidl (with a reference for
// the caller); empty, or an answer of null, leaves it to the shell. Returns what it replaces.
using TkFolderBinder = std::function<IShellFolder*(LPCITEMIDLIST absolute)>;
TkFolderBinder SetFolderBinder(TkFolderBinder binder);
}  // namespace testing

}  // namespace skin
