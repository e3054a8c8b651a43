// The drag objects over real ID lists of sandbox files: the ID-list array byte for byte, the
// file list read back by the platform, the caches, every method's answer, the enumerator and
// drop source, a selection larger than any fixed array, the objects' lifetimes, a sandbox
// folder's own drop target, and the drag-loop seam.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/win.h"
#include "services/shell/com_ref.h"
#include "services/shell/shell32_functions.h"
#include "services/shell/shell_data_object.h"
#include "services/shell/shell_drag_loop.h"
#include "services/shell/shell_drop_source.h"
#include "services/shell/shell_enum_format_etc.h"
#include "services/shell/shell_services.h"
#include "support/sandbox.h"

using namespace svc;
namespace sandbox = testing_sandbox;

namespace {

TPidl PidlOf(const std::string& path) {
  TPidl pidl;
  ULONG eaten = 0;
  TComRef<IShellFolder> desktop;
  SHGetDesktopFolder(desktop.Put());
  std::wstring wide(path.begin(), path.end());
  desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, pidl.Put(), nullptr);
  return pidl;
}

UINT SizeOf(LPCITEMIDLIST pidl) { return Shell32().ILGetSize(pidl); }

FORMATETC Format(UINT format, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
  FORMATETC entry{};
  entry.cfFormat = static_cast<CLIPFORMAT>(format);
  entry.dwAspect = aspect;
  entry.lindex = -1;
  entry.tymed = tymed;
  return entry;
}

// The bytes of a GetData answer; the medium is released.
std::vector<BYTE> Fetch(IDataObject* data, UINT format, HRESULT* answer = nullptr) {
  FORMATETC request = Format(format);
  STGMEDIUM medium{};
  HRESULT hr = data->GetData(&request, &medium);
  if (answer) *answer = hr;
  std::vector<BYTE> bytes;
  if (hr != S_OK) return bytes;
  EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), medium.tymed);
  EXPECT_EQ(nullptr, medium.pUnkForRelease);
  const BYTE* memory = static_cast<const BYTE*>(GlobalLock(medium.hGlobal));
  bytes.assign(memory, memory + GlobalSize(medium.hGlobal));
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  return bytes;
}

void AppendBytes(std::vector<BYTE>& bytes, const void* data, size_t size) {
  const BYTE* from = static_cast<const BYTE*>(data);
  bytes.insert(bytes.end(), from, from + size);
}

class ShellDragDrop : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = sandbox::TestFolder();
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
      sandbox::WriteFile(folder + name, name);
      absolute.push_back(PidlOf(folder + name));
      ASSERT_TRUE(absolute.back());
      relative.push_back(Shell32().ILFindLastID(absolute.back().Get()));
    }
    // The folder that holds them, as the data object takes it: an item's list without its last ID.
    parent.Reset(Shell32().ILClone(absolute[0].Get()));
    Shell32().ILRemoveLastID(parent.Get());
  }
  void TearDown() override { svc::testing::SetDragLoop(previousLoop); }

  // The ID-list array of the items as the shell lays it out.
  std::vector<BYTE> ExpectedIdList(int count) const {
    std::vector<BYTE> bytes;
    UINT n = count;
    AppendBytes(bytes, &n, 4);
    UINT offset = 4 * n + 8;
    AppendBytes(bytes, &offset, 4);
    offset += SizeOf(parent.Get());
    for (int i = 0; i < count; ++i) {
      AppendBytes(bytes, &offset, 4);
      offset += SizeOf(relative[i]);
    }
    AppendBytes(bytes, parent.Get(), SizeOf(parent.Get()));
    for (int i = 0; i < count; ++i) AppendBytes(bytes, relative[i], SizeOf(relative[i]));
    return bytes;
  }

  TComRef<IDataObject> MakeData(int count) {
    return TComRef<IDataObject>(new TSvDataObject(relative.data(), count, absolute[0].Get()));
  }

  std::string folder;
  std::vector<TPidl> absolute;
  std::vector<LPCITEMIDLIST> relative;
  TPidl parent;
  TSvDragLoop previousLoop = svc::testing::SetDragLoop(nullptr);
};

}  // namespace

TEST_F(ShellDragDrop, TheIdListArrayByteForByte) {
  TComRef<IDataObject> one = MakeData(1);
  std::vector<BYTE> bytes = Fetch(one.Get(), ShellIdListFormat());
  ASSERT_GE(bytes.size(), 12u);
  UINT head[3];
  std::memcpy(head, bytes.data(), 12);
  EXPECT_EQ(1u, head[0]);
  EXPECT_EQ(12u, head[1]);
  EXPECT_EQ(12u + SizeOf(parent.Get()), head[2]);
  EXPECT_EQ(ExpectedIdList(1), bytes);

  TComRef<IDataObject> three = MakeData(3);
  EXPECT_EQ(ExpectedIdList(3), Fetch(three.Get(), ShellIdListFormat()));
}

TEST_F(ShellDragDrop, TheFileListReadsBackAndBothRenderingsAreCached) {
  TComRef<IDataObject> data = MakeData(3);
  FORMATETC request = Format(CF_HDROP);
  STGMEDIUM medium{};
  ASSERT_EQ(S_OK, data->GetData(&request, &medium));
  auto* drop = static_cast<HDROP>(medium.hGlobal);
  ASSERT_EQ(3u, DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
  const char* names[] = {"a.txt", "b.txt", "c.txt"};
  for (UINT i = 0; i < 3; ++i) {
    char path[MAX_PATH] = {};
    DragQueryFileA(drop, i, path, MAX_PATH);
    EXPECT_EQ(folder + names[i], path);
  }
  auto* header = static_cast<DROPFILES*>(GlobalLock(medium.hGlobal));
  EXPECT_EQ(20u, header->pFiles);
  EXPECT_FALSE(header->fWide);
  EXPECT_FALSE(header->fNC);
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);

  std::vector<BYTE> files = Fetch(data.Get(), CF_HDROP);
  std::vector<BYTE> ids = Fetch(data.Get(), ShellIdListFormat());
  ASSERT_TRUE(MoveFileA((folder + "a.txt").c_str(), (folder + "renamed.txt").c_str()));
  EXPECT_EQ(files, Fetch(data.Get(), CF_HDROP));
  EXPECT_EQ(ids, Fetch(data.Get(), ShellIdListFormat()));
  // The last bytes: c.txt's name, its zero and the closing zero.
  std::string tail = folder + "c.txt";
  ASSERT_GE(files.size(), tail.size() + 2);
  EXPECT_EQ(0, std::memcmp(files.data() + files.size() - tail.size() - 2, tail.c_str(), tail.size() + 1));
  EXPECT_EQ(0, files.back());
}

TEST_F(ShellDragDrop, TheDataObjectsAnswers) {
  TComRef<IDataObject> data = MakeData(2);
  FORMATETC request = Format(CF_HDROP, TYMED_ISTREAM);
  EXPECT_EQ(DV_E_TYMED, data->QueryGetData(&request));
  request = Format(CF_BITMAP);
  EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&request));
  request = Format(CF_HDROP, TYMED_HGLOBAL, DVASPECT_ICON);
  EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&request));
  request = Format(ShellIdListFormat(), TYMED_HGLOBAL | TYMED_ISTREAM);
  EXPECT_EQ(S_OK, data->QueryGetData(&request));

  HRESULT answer = S_OK;
  EXPECT_TRUE(Fetch(data.Get(), CF_TEXT, &answer).empty());
  EXPECT_EQ(E_OUTOFMEMORY, answer);
  Fetch(data.Get(), CF_BITMAP, &answer);
  EXPECT_EQ(DV_E_FORMATETC, answer);

  STGMEDIUM medium{};
  request = Format(CF_HDROP);
  EXPECT_EQ(E_NOTIMPL, data->GetDataHere(&request, &medium));
  EXPECT_EQ(E_NOTIMPL, data->SetData(&request, &medium, FALSE));
  FORMATETC canonical{};
  DVTARGETDEVICE device{};
  request.ptd = &device;
  EXPECT_EQ(DATA_S_SAMEFORMATETC, data->GetCanonicalFormatEtc(&request, &canonical));
  EXPECT_EQ(nullptr, canonical.ptd);
  EXPECT_EQ(request.cfFormat, canonical.cfFormat);
  DWORD connection = 0;
  EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, data->DAdvise(&request, 0, nullptr, &connection));
  EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, data->DUnadvise(connection));
  IEnumSTATDATA* advises = reinterpret_cast<IEnumSTATDATA*>(1);
  EXPECT_EQ(OLE_E_ADVISENOTSUPPORTED, data->EnumDAdvise(&advises));
  EXPECT_EQ(nullptr, advises);
  IEnumFORMATETC* setters = reinterpret_cast<IEnumFORMATETC*>(1);
  EXPECT_EQ(E_NOTIMPL, data->EnumFormatEtc(DATADIR_SET, &setters));
  EXPECT_EQ(nullptr, setters);

  IUnknown* unknown = nullptr;
  EXPECT_EQ(S_OK, data->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
  unknown->Release();
  IDropSource* wrong = nullptr;
  EXPECT_EQ(E_NOINTERFACE, data->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&wrong)));
}

TEST_F(ShellDragDrop, TheEnumeratorAndTheDropSource) {
  TComRef<IDataObject> data = MakeData(1);
  TComRef<IEnumFORMATETC> formats;
  ASSERT_EQ(S_OK, data->EnumFormatEtc(DATADIR_GET, formats.Put()));
  std::vector<UINT> seen;
  for (int i = 0; i < 3; ++i) {
    FORMATETC entry{};
    ULONG fetched = 9;
    EXPECT_EQ(S_OK, formats->Next(1, &entry, &fetched));
    EXPECT_EQ(1u, fetched);
    seen.push_back(entry.cfFormat);
  }
  EXPECT_EQ((std::vector<UINT>{ShellIdListFormat(), CF_HDROP, CF_TEXT}), seen);
  FORMATETC entry{};
  ULONG fetched = 9;
  EXPECT_EQ(S_FALSE, formats->Next(1, &entry, &fetched));
  EXPECT_EQ(0u, fetched);

  EXPECT_EQ(S_OK, formats->Reset());
  EXPECT_EQ(S_FALSE, formats->Skip(10));
  EXPECT_EQ(S_FALSE, formats->Next(1, &entry, &fetched));
  EXPECT_EQ(0u, fetched);
  EXPECT_EQ(S_OK, formats->Reset());
  EXPECT_EQ(S_OK, formats->Skip(2));
  EXPECT_EQ(S_OK, formats->Next(1, &entry, nullptr));
  EXPECT_EQ(CF_TEXT, entry.cfFormat);

  // A clone starts at the first entry and moves on its own.
  formats->Reset();
  formats->Next(1, &entry, nullptr);
  TComRef<IEnumFORMATETC> clone;
  ASSERT_EQ(S_OK, formats->Clone(clone.Put()));
  FORMATETC two[2];
  EXPECT_EQ(S_OK, clone->Next(2, two, &fetched));
  EXPECT_EQ(ShellIdListFormat(), two[0].cfFormat);
  EXPECT_EQ(S_OK, formats->Next(1, &entry, nullptr));
  EXPECT_EQ(CF_HDROP, entry.cfFormat);
  EXPECT_EQ(S_FALSE, clone->Next(2, two, &fetched));
  EXPECT_EQ(1u, fetched);

  TComRef<IDropSource> source(new TSvDropSource);
  EXPECT_EQ(DRAGDROP_S_CANCEL, source->QueryContinueDrag(TRUE, MK_LBUTTON));
  EXPECT_EQ(DRAGDROP_S_DROP, source->QueryContinueDrag(FALSE, MK_RBUTTON));
  EXPECT_EQ(S_OK, source->QueryContinueDrag(FALSE, MK_LBUTTON));
  EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source->GiveFeedback(DROPEFFECT_COPY));
}

TEST_F(ShellDragDrop, ASelectionOfTwentyThousandItemsIsRenderedWhole) {
  constexpr int kItems = 20000;
  std::vector<LPCITEMIDLIST> many(kItems);
  for (int i = 0; i < kItems; ++i) many[i] = relative[i % 3];
  TComRef<IDataObject> data(new TSvDataObject(many.data(), kItems, absolute[0].Get()));
  std::vector<BYTE> ids = Fetch(data.Get(), ShellIdListFormat());
  UINT count = 0, last = 0;
  ASSERT_GT(ids.size(), 4u * (kItems + 2));
  std::memcpy(&count, ids.data(), 4);
  std::memcpy(&last, ids.data() + 4 * kItems + 4, 4);
  EXPECT_EQ(static_cast<UINT>(kItems), count);
  EXPECT_EQ(ids.size() - SizeOf(relative[(kItems - 1) % 3]), last);

  FORMATETC request = Format(CF_HDROP);
  STGMEDIUM medium{};
  ASSERT_EQ(S_OK, data->GetData(&request, &medium));
  auto* drop = static_cast<HDROP>(medium.hGlobal);
  EXPECT_EQ(static_cast<UINT>(kItems), DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
  char path[MAX_PATH] = {};
  DragQueryFileA(drop, kItems - 1, path, MAX_PATH);
  EXPECT_EQ(folder + "b.txt", path);  // item 19,999 is the second file
  ReleaseStgMedium(&medium);
}

TEST_F(ShellDragDrop, EachObjectGoesWithItsLastReference) {
  int data0 = TSvDataObject::Instances();
  int formats0 = TSvEnumFormatEtc::Instances();
  int sources0 = TSvDropSource::Instances();
  {
    TComRef<IDataObject> data = MakeData(2);
    Fetch(data.Get(), CF_HDROP);
    TComRef<IDataObject> second = data.Share();
    TComRef<IEnumFORMATETC> formats, clone;
    data->EnumFormatEtc(DATADIR_GET, formats.Put());
    formats->Clone(clone.Put());
    TComRef<IDropSource> source(new TSvDropSource);
    EXPECT_EQ(data0 + 1, TSvDataObject::Instances());
    EXPECT_EQ(formats0 + 2, TSvEnumFormatEtc::Instances());
    EXPECT_EQ(sources0 + 1, TSvDropSource::Instances());
    data.Reset();
    EXPECT_EQ(data0 + 1, TSvDataObject::Instances());  // the second reference keeps it
  }
  EXPECT_EQ(data0, TSvDataObject::Instances());
  EXPECT_EQ(formats0, TSvEnumFormatEtc::Instances());
  EXPECT_EQ(sources0, TSvDropSource::Instances());
}

TEST_F(ShellDragDrop, ASandboxFoldersDropTargetAcceptsTheData) {
  sandbox::MakeFolders(folder + "target");
  TPidl target = PidlOf(folder + "target");
  ASSERT_TRUE(target);
  TComRef<IShellFolder> desktop, holder;
  SHGetDesktopFolder(desktop.Put());
  TPidl holderPidl = PidlOf(folder);
  ASSERT_EQ(S_OK, desktop->BindToObject(holderPidl.Get(), nullptr, IID_IShellFolder, holder.PutVoid()));
  LPCITEMIDLIST child = Shell32().ILFindLastID(target.Get());
  TComRef<IDropTarget> dropTarget;
  ASSERT_EQ(S_OK, holder->GetUIObjectOf(nullptr, 1, &child, IID_IDropTarget, nullptr, dropTarget.PutVoid()));
  TComRef<IDataObject> data = MakeData(2);
  // A copy (the Ctrl key held; Wine's folders offer no default effect for a plain drag).
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  POINTL point{0, 0};
  EXPECT_EQ(S_OK, dropTarget->DragEnter(data.Get(), MK_LBUTTON | MK_CONTROL, point, &effect));
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
  EXPECT_EQ(S_OK, dropTarget->DragLeave());
}

TEST_F(ShellDragDrop, TheDragLoopSeamReceivesWhatTheCallerHands) {
  TComRef<IDataObject> data = MakeData(1);
  TComRef<IDropSource> source(new TSvDropSource);
  IDataObject* gotData = nullptr;
  IDropSource* gotSource = nullptr;
  DWORD gotEffects = 0;
  svc::testing::SetDragLoop([&](IDataObject* d, IDropSource* s, DWORD allowed, DWORD* effect) {
    gotData = d;
    gotSource = s;
    gotEffects = allowed;
    *effect = DROPEFFECT_COPY;
    return DRAGDROP_S_DROP;
  });
  DWORD effect = 0;
  EXPECT_EQ(DRAGDROP_S_DROP,
            SvDoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect));
  EXPECT_EQ(data.Get(), gotData);
  EXPECT_EQ(source.Get(), gotSource);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK), gotEffects);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
}
