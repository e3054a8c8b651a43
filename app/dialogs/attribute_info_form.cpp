#include "app/dialogs/attribute_info_form.h"

#include "app/shared/file_procedures.h"
#include "app/shared/file_times.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_path.h"

namespace app {
namespace {

void ShowTime(skin::TkLabel* label, const FILETIME& time) {
  fw::TDateTime value;
  if (UTCFileTimeToDateTime(time, value)) label->SetCaption(fw::DateTimeToStr(value));
}

}  // namespace

TfrmAttributeInfo::TfrmAttributeInfo(fw::TComponent* owner) : fw::TForm(owner) {}

void TfrmAttributeInfo::FormShow(fw::TObject*) {
  kEdit1->SetText(itemPath);
  kLabel3->SetCaption(fw::FileExists(itemPath) ? FormatFileSize(itemSize) : "");
  const std::wstring path = fw::FileApiPath(itemPath);
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) attributes = 0;
  kCheckBox1->SetChecked(attributes & FILE_ATTRIBUTE_READONLY);
  kCheckBox2->SetChecked(attributes & FILE_ATTRIBUTE_ARCHIVE);
  kCheckBox3->SetChecked(attributes & FILE_ATTRIBUTE_SYSTEM);
  kCheckBox4->SetChecked(attributes & FILE_ATTRIBUTE_HIDDEN);
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(path.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  FindClose(find);
  ShowTime(kLabel7, found.ftCreationTime);
  ShowTime(kLabel8, found.ftLastWriteTime);
  ShowTime(kLabel9, found.ftLastAccessTime);
}

void TfrmAttributeInfo::FormKeyDown(fw::TObject*, WORD& Key, fw::TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TfrmAttributeInfo::FormClose(fw::TObject*, fw::TCloseAction& Action) { Action = fw::caFree; }

void TfrmAttributeInfo::kBitBtn1Click(fw::TObject*) { Close(); }

}  // namespace app
