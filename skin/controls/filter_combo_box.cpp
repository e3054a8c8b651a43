#include "skin/controls/filter_combo_box.h"

#include "framework/rtl/sys_utils.h"

namespace skin {

std::vector<std::pair<std::string, std::string>> ParseFilter(const std::string& filter) {
  std::vector<std::pair<std::string, std::string>> pairs;
  size_t start = 0;
  for (size_t bar = filter.find('|'); bar != std::string::npos; bar = filter.find('|', start)) {
    const size_t next = filter.find('|', bar + 1);
    const size_t end = next == std::string::npos ? filter.size() : next;
    pairs.emplace_back(filter.substr(start, bar - start), filter.substr(bar + 1, end - bar - 1));
    if (next == std::string::npos) break;
    start = next + 1;
  }
  return pairs;
}

TkFilterComboBox::TkFilterComboBox(fw::TComponent* owner) : TkCustomComboBox(owner) { SetStyle(fw::csDropDownList); }

void TkFilterComboBox::SetFilter(const std::string& value) {
  if (fw::AnsiCompareText(value, FFilter) == 0) return;
  FFilter = value;
  if (HandleAllocated()) BuildList();
  Change();
}

std::string TkFilterComboBox::GetMask() {
  if (GetItemIndex() < 0) SetItemIndex(GetItems()->GetCount() - 1);
  const int index = GetItemIndex();
  if (index < 0 || index >= static_cast<int>(FMasks.size())) return "*.*";
  return FMasks[static_cast<size_t>(index)];
}

void TkFilterComboBox::CreateWnd() {
  TkCustomComboBox::CreateWnd();
  BuildList();
}

void TkFilterComboBox::Click() {
  TkCustomComboBox::Click();
  Change();
}

void TkFilterComboBox::Select() {
  if (OnSelect) OnSelect(this);
}

void TkFilterComboBox::BuildList() {
  fw::TStrings* items = GetItems();
  items->BeginUpdate();
  items->Clear();
  FMasks.clear();
  for (const auto& [description, mask] : ParseFilter(FFilter)) {
    items->Add(description);
    FMasks.push_back(mask);
  }
  items->EndUpdate();
  SetItemIndex(0);
}

}  // namespace skin
