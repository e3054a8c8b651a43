// TMockFolder: a folder that is only an IShellFolder, for the detail branches no Wine folder
// takes. Names come from the test; details (when it offers them) from an IShellDetails of its
// own: the column titles the test lists for the header, "column N" for an item. Every interface
// it is asked for is noted. It lives on the stack and outlives its users: references are only
// counted.
#pragma once
#include <string>
#include <vector>

#include "framework/win.h"

namespace testing_shell {

struct TMockColumn {
  std::string Title;
  int Format;  // LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER
  int Chars;
};

class TMockFolder : public IShellFolder, public IShellDetails {
 public:
  std::string name;
  std::string parsing;
  bool offersDetails = true;
  std::vector<TMockColumn> columns;  // the header's titles, in column order
  std::vector<IID> asked;
  int detailCalls = 0;

  // IUnknown of the folder; the details object shares the count.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    asked.push_back(iid);
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IShellFolder) *out = static_cast<IShellFolder*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, LPITEMIDLIST*, ULONG*) override { return E_NOTIMPL; }
  STDMETHODIMP EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
  STDMETHODIMP BindToObject(LPCITEMIDLIST, IBindCtx*, REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP BindToStorage(LPCITEMIDLIST, IBindCtx*, REFIID, void** out) override {
    *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) override { return 0; }
  STDMETHODIMP CreateViewObject(HWND, REFIID iid, void** out) override {
    asked.push_back(iid);
    *out = nullptr;
    if (!offersDetails || iid != IID_IShellDetails) return E_NOINTERFACE;
    *out = static_cast<IShellDetails*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP GetAttributesOf(UINT, LPCITEMIDLIST*, SFGAOF* inOut) override {
    *inOut &= SFGAO_FILESYSTEM;
    return S_OK;
  }
  STDMETHODIMP GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP GetDisplayNameOf(LPCITEMIDLIST, SHGDNF flags, STRRET* out) override {
    out->uType = STRRET_CSTR;
    lstrcpynA(out->cStr, (flags & SHGDN_FORPARSING ? parsing : name).c_str(), MAX_PATH);
    return S_OK;
  }
  STDMETHODIMP SetNameOf(HWND, LPCITEMIDLIST, LPCOLESTR, SHGDNF, LPITEMIDLIST*) override { return E_NOTIMPL; }

  // IShellDetails, reached through the folder's view object: with no item the header's column
  // (failing past the last), else the item's text of the column.
  STDMETHODIMP GetDetailsOf(LPCITEMIDLIST item, UINT column, SHELLDETAILS* out) override {
    ++detailCalls;
    out->str.uType = STRRET_CSTR;
    if (item) {
      wsprintfA(out->str.cStr, "column %u", column);
      return S_OK;
    }
    if (column >= columns.size()) return E_FAIL;
    lstrcpynA(out->str.cStr, columns[column].Title.c_str(), MAX_PATH);
    out->fmt = columns[column].Format;
    out->cxChar = columns[column].Chars;
    return S_OK;
  }
  STDMETHODIMP ColumnClick(UINT) override { return E_NOTIMPL; }

  bool Asked(REFIID iid) const {
    for (const IID& a : asked)
      if (a == iid) return true;
    return false;
  }

 private:
  ULONG refs = 1;
};

}  // namespace testing_shell
