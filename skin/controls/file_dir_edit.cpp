#include "skin/controls/file_dir_edit.h"

#include <shellapi.h>

#include "framework/rtl/wide_text.h"

namespace skin {

namespace {
constexpr int kFileDirEditCtrlType = 132;
}  // namespace

TkFileDirEdit::TkFileDirEdit(fw::TComponent* owner) : TkCustomComboEdit(owner) {
  GetSkinData()->CtrlTypeIndex = kFileDirEditCtrlType;
  SetMaxLength(255);
}

void TkFileDirEdit::SetAcceptsDrops(bool value) {
  FAcceptsDrops = value;
  if (HandleAllocated() && !GetComponentState().Contains(fw::csDesigning)) DragAcceptFiles(GetHandle(), value);
}

void TkFileDirEdit::CreateWnd() {
  TkCustomComboEdit::CreateWnd();
  if (FAcceptsDrops && !GetComponentState().Contains(fw::csDesigning)) DragAcceptFiles(GetHandle(), TRUE);
}

void TkFileDirEdit::DestroyWnd() {
  if (FAcceptsDrops && HandleAllocated()) DragAcceptFiles(GetHandle(), FALSE);
  TkCustomComboEdit::DestroyWnd();
}

void TkFileDirEdit::DropFiles(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  if (count > 0) {
    BeforeDropFiles();
    for (UINT i = 0; i < count; ++i) {
      std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
      name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
      StoreFolderName(fw::WideToUtf8(name));
      if (!FMultipleNames) break;
    }
    if (OnDropFiles) OnDropFiles(this);
  }
  DragFinish(drop);
}

void TkFileDirEdit::WndProc(fw::TMessage& m) {
  if (m.Msg == WM_DROPFILES) {
    m.Result = 0;
    DropFiles(reinterpret_cast<HDROP>(m.WParam));
    return;
  }
  TkCustomComboEdit::WndProc(m);
}

}  // namespace skin
