// Benchmark: the skinned list view against the framework's. One form holds a TkListView under
// the program's Neutral skin (loaded by a skin manager as the main window loads it) and a plain
// TListView of the same size (700 x 500), both in report view with four columns, check boxes
// and row select. For each: 100,000 rows (caption and three sub-items) filled between
// BeginUpdate and EndUpdate, then paged from the first row to the last by Page Down presses
// posted through the message loop, each page painted before the next. Best of three after a
// warm-up.
//   prints: list_view ratio: X (target <= 1.50)
//
//   bench_list_view [scratch folder under C:\sandbox\]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/support/scratch.h"
#include "bench/support/skin_environment.h"
#include "framework/core/component.h"
#include "framework/forms/custom_form.h"
#include "skin/controls/list_view.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skin_reader.h"
#include "skin/engine/stored_skins.h"

namespace {

constexpr int kRows = 100000, kRounds = 3;

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the waiting messages through.
void Pump() { fw::Application->ProcessMessages(); }

// The list in report view with four columns, check boxes and row select, on the form.
template <class T>
T* MakeList(fw::TForm* form) {
  auto* list = fw::New<T>(form);
  list->SetViewStyle(fw::vsReport);
  list->SetCheckboxes(true);
  list->SetRowSelect(true);
  for (const char* caption : {"Name", "Size", "Type", "Folder"}) {
    fw::TListColumn* column = list->GetColumns()->Add();
    column->SetCaption(caption);
    column->SetWidth(160);
  }
  list->SetBounds(10, 10, 700, 500);
  list->SetVisible(false);
  list->SetParent(form);
  return list;
}

struct TTimes {
  double Fill = 0;
  double Page = 0;
  double Total() const { return Fill + Page; }
};

TTimes Round(fw::TCustomListView* list) {
  TTimes t;
  list->GetItems()->Clear();
  Pump();
  auto start = Clock::now();
  fw::TListItems* items = list->GetItems();
  items->BeginUpdate();
  for (int i = 0; i < kRows; ++i) {
    fw::TListItem* item = items->Add();
    item->SetCaption("file" + std::to_string(i) + ".tmp");
    item->GetSubItems()->Add(std::to_string(i * 37 % 100000));
    item->GetSubItems()->Add("Temporary file");
    item->GetSubItems()->Add("C:\\sandbox\\folder" + std::to_string(i % 97));
  }
  items->EndUpdate();
  UpdateWindow(list->GetHandle());
  t.Fill = Since(start);

  HWND wnd = list->GetHandle();
  list->SetFocus();
  list->SetItemIndex(0);
  Pump();
  start = Clock::now();
  while (true) {
    const int top = static_cast<int>(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0));
    const int page = static_cast<int>(SendMessageA(wnd, LVM_GETCOUNTPERPAGE, 0, 0));
    if (top + page >= kRows) break;
    PostMessageA(wnd, WM_KEYDOWN, VK_NEXT, 1);
    PostMessageA(wnd, WM_KEYUP, VK_NEXT, 0xC0000001);
    Pump();
    UpdateWindow(wnd);
  }
  t.Page = Since(start);
  return t;
}

TTimes Best(fw::TCustomListView* list) {
  list->SetVisible(true);
  Pump();
  Round(list);  // warm-up
  TTimes best{1e300, 1e300};
  for (int i = 0; i < kRounds; ++i) {
    const TTimes t = Round(list);
    if (t.Total() < best.Total()) best = t;
  }
  list->GetItems()->Clear();
  list->SetVisible(false);
  Pump();
  return best;
}

int Measure() {
  auto* form = fw::New<fw::TForm>(fw::Application);
  form->SetBounds(0, 0, 740, 560);
  auto* manager = fw::New<skin::TkSkinManager>(form);
  skin::LoadStoredSkinResource(*manager->GetInternalSkins());
  manager->SetSkinName(skin::kNeutralSkinName);
  if (!manager->GetActive()) {
    std::printf("list_view: the Neutral skin did not load\n");
    return 1;
  }
  skin::TkListView* skinned = nullptr;
  {
    fw::TLoadScope loading;
    skinned = MakeList<skin::TkListView>(form);
    skinned->GetSkinData()->SetSkinSection("EDIT");
  }
  auto* plain = MakeList<fw::TListView>(form);
  form->Show();
  Pump();
  const TTimes s = Best(skinned);
  const TTimes p = Best(plain);
  std::printf("skinned list view: fill %.0f ms, paging %.0f ms, total %.0f ms (best of %d)\n", s.Fill, s.Page,
              s.Total(), kRounds);
  std::printf("plain list view: fill %.0f ms, paging %.0f ms, total %.0f ms (best of %d)\n", p.Fill, p.Page,
              p.Total(), kRounds);
  std::printf("list_view ratio: %.2f (target <= 1.50)\n", s.Total() / p.Total());
  form->Free();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_list_view\\");
    bench::TSkinEnvironment environment(scratch.Path());
    return Measure();
  });
}
