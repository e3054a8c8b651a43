#include "skin/engine/skin_manager.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "framework/forms/application.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/flag_scope.h"
#include "framework/rtl/sys_utils.h"
#include "framework/win.h"
#include "skin/engine/color_passes.h"
#include "skin/engine/image_loader.h"
#include "skin/engine/ini_view.h"
#include "skin/engine/section_loader.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_limits.h"
#include "skin/engine/skin_load_error.h"
#include "skin/engine/skin_utils.h"

namespace skin {

bool SkinLoading = false;
bool NewSkinBroadcasting = false;

namespace {

TkSkinManager* defaultManager = nullptr;
std::unique_ptr<TkIniView> skinView;  // the open skin file, read in full
// The picture files read by the load under way, none outside a load.
std::shared_ptr<TkSkinPictures> skinPictures;

void CloseSkinFile() { skinView.reset(); }

// Keeps the pictures a load reads for as long as it runs, so that each file is decoded once in
// it; the next load reads the files again.
class TkLoadPictures {
 public:
  TkLoadPictures() { skinPictures = std::make_shared<TkSkinPictures>(); }
  ~TkLoadPictures() { skinPictures.reset(); }
  TkLoadPictures(const TkLoadPictures&) = delete;
  TkLoadPictures& operator=(const TkLoadPictures&) = delete;
};

constexpr char kDefaultSkinDirectory[] = "c:\\Skins";

bool IsLoading(const fw::TComponent* c) {
  return c->GetComponentState().Contains(fw::csLoading) || c->GetComponentState().Contains(fw::csReading);
}

// Walks a look-up up the parent classes, through at most kMaxParentDepth parents and never to
// a section already asked: match(section) answers the position of the picture in that section
// or -1.
template <class Match>
int FindUp(const TkSkinManager& m, int skinIndex, std::string section, const Match& match) {
  std::vector<int> asked;
  while (skinIndex >= 0 && !section.empty()) {
    int found = match(section);
    if (found >= 0) return found;
    if (skinIndex >= static_cast<int>(m.GetSections().size()) || static_cast<int>(asked.size()) >= kMaxParentDepth)
      return -1;
    asked.push_back(skinIndex);
    const std::string parent = m.GetSections()[skinIndex].ParentClass;
    if (parent.empty() || parent == section) return -1;
    int parentIndex = m.GetSkinIndex(parent);
    if (parentIndex < 0 || std::find(asked.begin(), asked.end(), parentIndex) != asked.end()) return -1;
    skinIndex = parentIndex;
    section = parent;
  }
  return -1;
}

void RecolourBitmap(fw::TBitmap& bitmap, const std::function<fw::TColor(fw::TColor)>& change) {
  bitmap.SetPixelFormat(fw::pf24bit);
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    auto* px = static_cast<unsigned char*>(bitmap.GetScanLine(y));
    for (int x = 0; x < bitmap.GetWidth(); ++x, px += 3) {
      if (px[0] == px[1] && px[1] == px[2]) continue;  // grey
      fw::TColor c = px[2] | px[1] << 8 | px[0] << 16;
      if (c == fw::clFuchsia) continue;
      c = change(c);
      px[0] = static_cast<unsigned char>((c >> 16) & 0xFF);
      px[1] = static_cast<unsigned char>((c >> 8) & 0xFF);
      px[2] = static_cast<unsigned char>(c & 0xFF);
    }
  }
}

// Holds the painting of every shown form while a skin change goes round, so that no window
// shows the old skin in some places and the new one in others; letting go paints each held
// form in full once, frame and child windows included. The destructor lets go however the
// change ends.
class TkHeldPainting {
 public:
  TkHeldPainting() {
    if (!fw::Application) return;
    for (int i = 0; i < fw::Application->GetComponentCount(); ++i) {
      auto* form = dynamic_cast<fw::TCustomForm*>(fw::Application->GetComponents(i));
      // An MDI child is held with the form it lives in; a form the skin draws nothing of does
      // not change.
      if (!form || form->GetComponentState().Contains(fw::csDestroying) || form->GetFormStyle() == fw::fsMDIChild ||
          !form->HandleAllocated() || !IsWindowVisible(form->GetHandle()) || !DrawnBySkin(form))
        continue;
      SendMessageA(form->GetHandle(), WM_SETREDRAW, FALSE, 0);
      FWindows.push_back(form->GetHandle());
    }
  }
  ~TkHeldPainting() {
    // The new skin is in place, also when the change runs inside a load: this paint is the one
    // that shows it, so what waits out a load (the scroll bars) paints it too.
    const bool loading = std::exchange(SkinLoading, false);
    for (HWND window : FWindows) {
      if (!IsWindow(window)) continue;
      SendMessageA(window, WM_SETREDRAW, TRUE, 0);
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    SkinLoading = loading;
  }
  TkHeldPainting(const TkHeldPainting&) = delete;
  TkHeldPainting& operator=(const TkHeldPainting&) = delete;

 private:
  // Whether the control or one of the controls it holds is skinned.
  static bool DrawnBySkin(fw::TControl* control) {
    if (ControlAnswersCmd(control, cmdIsSkinned)) return true;
    auto* container = dynamic_cast<fw::TWinControl*>(control);
    if (!container) return false;
    for (int i = 0; i < container->GetControlCount(); ++i)
      if (DrawnBySkin(container->GetControls(i))) return true;
    return false;
  }

  std::vector<HWND> FWindows;
};

}  // namespace

TkSkinManager* DefaultManager() { return defaultManager; }
const TkIniView* SkinFile() { return skinView.get(); }

TkSkinManager::TkSkinManager(fw::TComponent* owner)
    : fw::TComponent(owner),
      FInternalSkins(new TkStoredSkins(this)),
      FMenuSupport(std::make_unique<TkMenuSupport>()),
      FSkinData(fw::New<TkSkinData>()) {
  if (!defaultManager) {
    FIsDefault = true;
    defaultManager = this;
    if (fw::Application) FHookId = fw::Application->HookMainWindow([this](fw::TMessage& m) { return MainWindowHook(m); });
  }
  FSkinableMenus = std::make_unique<TkSkinableMenus>(this);
}

TkSkinManager::~TkSkinManager() {
  SetActive(false);
  delete FInternalSkins;
  // No menu keeps handlers of a painter that is gone.
  FSkinableMenus->SetActive(false);
  FSkinableMenus.reset();
  FSkinData.reset();
  FMenuSupport.reset();
  FreePatterns();
  FreeMasks();
  if (defaultManager == this) {
    if (fw::Application && FHookId) fw::Application->UnhookMainWindow(FHookId);
    defaultManager = nullptr;
  }
}

void TkSkinManager::AfterConstruction() {
  fw::TComponent::AfterConstruction();
  if (FSkinDirectory.empty()) SetSkinDirectory(kDefaultSkinDirectory);
}

void TkSkinManager::Loaded() {
  fw::TComponent::Loaded();
  if (FSkinDirectory.empty()) SetSkinDirectory(kDefaultSkinDirectory);
  if (FMenuSupport->GetIcoLineSkin().empty()) FMenuSupport->SetIcoLineSkin("ICOLINE");
  if (FActive && !FSkinName.empty()) SendNewSkin();
}

bool TkSkinManager::GetIsDefault() const { return defaultManager == this; }

void TkSkinManager::SetIsDefault(bool value) {
  if (!value && defaultManager) {
    FIsDefault = defaultManager == this;
    return;
  }
  FIsDefault = true;
  defaultManager = this;
  if (!FActive) {
    SendRemoveSkin();
  } else {
    SendNewSkin();
    RepaintForms();
  }
}

void TkSkinManager::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (!value) {
    if (!IsLoading(this)) SendRemoveSkin();
    PrepareCommonIndexes();
  } else {
    SetSkinName(FSkinName);
  }
}

void TkSkinManager::SetCommonSections(const fw::TStrings& lines) {
  FCommonSections.Assign(&lines);
  for (int i = 0; i < FCommonSections.GetCount(); ++i) {
    const std::string line = FCommonSections.GetStrings(i);
    if (!line.empty() && line[0] != ';') FCommonSections.SetStrings(i, DelChars(line, ' '));
  }
  SetSkinName(FSkinName);
}

void TkSkinManager::SetSaturation(int value) {
  if (value == FSaturation) return;
  FSaturation = value;
  ReloadForColours();
}

void TkSkinManager::SetHueOffset(int value) {
  if (value == FHueOffset) return;
  FHueOffset = value;
  ReloadForColours();
}

void TkSkinManager::ReloadForColours() {
  bool reloaded = false, fellBack = false;
  {
    const fw::TFlagScope loading(SkinLoading);
    if (FSkinData->SkinReady) {
      reloaded = true;
      fellBack = !LoadOrFallBack();
    }
  }
  if (fellBack && FActive)
    SendNewSkin();
  else if (reloaded && !fellBack && !IsLoading(this))
    RepaintForms();
}

void TkSkinManager::SetSkinDirectory(const std::string& value) {
  if (value == FSkinDirectory) return;
  FSkinDirectory = value;
  NormalizeSkinDirectory(FSkinData->SkinPath);
}

void TkSkinManager::SetSkinName(const std::string& value) {
  FSkinName = value;
  if (!FActive) return;
  if (OnBeforeChange) OnBeforeChange(this);
  {
    const fw::TFlagScope loading(SkinLoading);
    FSkinData->SkinReady = false;
    LoadOrFallBack();
    if (FActive) SendNewSkin();
  }
  if (OnAfterChange) OnAfterChange(this);
}

std::string TkSkinManager::GetSkinInfo() const {
  if (!FSkinData->SkinReady) return "N/A";
  return fw::FloatToStrDot(FSkinData->Version);
}

void TkSkinManager::SetSkinnedPopups(bool value) {
  if (value == FSkinnedPopups) return;
  FSkinnedPopups = value;
  FSkinableMenus->UpdateMenus();
}

void TkSkinManager::NormalizeSkinDirectory(std::string& dir) const {
  const std::string app = GetApplicationPath();
  std::string s = FSkinDirectory;
  if (s.rfind("..", 0) == 0) {
    std::string parent = app.empty() ? app : app.substr(0, app.size() - 1);
    size_t last = parent.find_last_of("\\/");
    parent = last == std::string::npos ? std::string() : parent.substr(0, last + 1);
    s = parent + (s.size() > 3 ? s.substr(3) : std::string());
  } else if (s.rfind(".\\", 0) == 0 || s.rfind("./", 0) == 0) {
    s = app + s.substr(2);
  } else if (s.find(':') == std::string::npos && s.rfind("\\\\", 0) != 0) {
    s = app + s;
  }
  if (s.empty() || (s.back() != '\\' && s.back() != '/')) s += "\\";
  dir = s;
}

void TkSkinManager::GetSkinNames(fw::TStrings& list, std::string& firstName) const {
  list.Clear();
  firstName.clear();
  fw::TStringList names;
  for (int i = 0; i < FInternalSkins->GetCount(); ++i) {
    names.Add(FInternalSkins->GetItem(i)->GetName());
    if (i == 0) firstName = FInternalSkins->GetItem(i)->GetName();
  }
  std::string dir;
  NormalizeSkinDirectory(dir);
  if (DirectoryExistsA(dir)) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "*.*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name.empty() || name[0] == '.' || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (!fw::FileExists(dir + name + "\\Options.dat")) continue;
        names.Add(name);
        if (firstName.empty()) firstName = name;
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
  }
  names.Sort();
  list.Assign(&names);
}

const TkStoredSkin* TkSkinManager::CurrentStoredSkin() const {
  int index = FInternalSkins->IndexOf(FSkinName);
  return index < 0 ? nullptr : FInternalSkins->GetItem(index);
}

void TkSkinManager::LoadSkin() {
  if (FActive) LoadSkinFrom(true);
}

bool TkSkinManager::LoadSkinFrom(bool allowFolder) {
  SkinLoading = true;
  CloseSkinFile();
  std::string dir;
  NormalizeSkinDirectory(dir);
  const std::string path = dir + FSkinName + "\\Options.dat";
  if (allowFolder && !FSkinName.empty() && fw::FileExists(path)) {
    skinView = std::make_unique<TkIniView>(TkIniView::FromFile(path));
    FSkinData->SkinPath = dir + FSkinName + "\\";
    if (skinView->SectionCount() == 0) throw ESkinLoadError(path, "the file holds no skin section");
  } else {
    FSkinData->SkinPath.clear();
    if (FInternalSkins->IndexOf(FSkinName) < 0 && FInternalSkins->GetCount() > 0)
      FSkinName = FInternalSkins->GetItem(0)->GetName();
    if (FInternalSkins->GetCount() == 0) {
      FActive = false;
      return false;
    }
  }
  const TkLoadPictures pictures;
  LoadMasks();
  LoadPatterns();
  LoadSectionData();
  CloseSkinFile();
  return true;
}

bool TkSkinManager::LoadOrFallBack() {
  const std::string requested = FSkinName;
  std::string failure;
  try {
    LoadSkinFrom(true);
    return true;
  } catch (const ESkinLoadError& e) {
    failure = e.GetMessage();
  } catch (const fw::Exception& e) {
    failure = FSkinData->SkinPath + "Options.dat: " + e.GetMessage();
  }
  CloseSkinFile();
  const bool haveStored = FInternalSkins->GetCount() > 0;
  const std::string fallback = haveStored ? FInternalSkins->GetItem(0)->GetName() : std::string();
  ShowWarningMessage("Skin \"" + requested + "\" could not be loaded: " + failure + ". " +
                     (haveStored ? "\"" + fallback + "\" is used instead." : "No skin is used."));
  if (haveStored) {
    FSkinName = fallback;
    try {
      LoadSkinFrom(false);
      return false;
    } catch (const fw::Exception&) {
      CloseSkinFile();
    }
  }
  EmptyTables();
  FActive = false;
  Broadcast(cmdRemoveSkin);
  return false;
}

void TkSkinManager::EmptyTables() {
  FreeMasks();
  FreePatterns();
  FSections.clear();
  FSkinData->SkinReady = false;
  PrepareCommonIndexes();
}

void TkSkinManager::FreeMasks() {
  while (!FMasks.empty()) FMasks.pop_back();
  FMasterBitmap.reset();
}

void TkSkinManager::FreePatterns() {
  while (!FPatterns.empty()) FPatterns.pop_back();
}

TkImageTables TkSkinManager::ImageTables() {
  TkImageTables tables{FMasks, FPatterns, FMasterBitmap, this, FSkinData->SkinPath};
  if (skinPictures) tables.Pictures = skinPictures;
  return tables;
}

void TkSkinManager::LoadMasks() {
  FreeMasks();
  TkImageTables tables = ImageTables();
  if (skinView)
    LoadMasksFromFile(*skinView, tables);
  else
    LoadMasksFromStored(CurrentStoredSkin(), tables);
  MergeCommonMasks(FCommonSections, tables);
  for (TkMaskData& mask : FMasks) ClampMask(mask);
}

void TkSkinManager::LoadPatterns() {
  FreePatterns();
  TkImageTables tables = ImageTables();
  if (skinView)
    LoadPatternsFromFile(*skinView, tables);
  else
    LoadPatternsFromStored(CurrentStoredSkin(), tables);
  MergeCommonPatterns(FCommonSections, tables);
  for (TkMaskData& mask : FMasks) ClampMask(mask);  // small pictures became masks
}

void TkSkinManager::LoadSectionData() {
  if (skinView) {
    LoadSectionsFromFile(*skinView, FSections, *FSkinData);
  } else {
    const TkStoredSkin* stored = CurrentStoredSkin();
    if (!stored) return;
    LoadSectionsFromStored(*stored, FSections, *FSkinData);
  }
  AppendCommonSections(FCommonSections, FSections);
  ClampSkinInfo(*FSkinData);
  for (TkGeneralData& section : FSections) ClampSection(section);
  ChangeSkinHue(FHueOffset);
  ChangeSkinSaturation(FSaturation);
}

std::string TkSkinManager::ReadIniString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const {
  return skinView ? ReadInheritedString(*skinView, section, key, defaultValue) : defaultValue;
}

int TkSkinManager::ReadIniInteger(const std::string& section, const std::string& key, int defaultValue) const {
  return skinView ? ReadInheritedInteger(*skinView, section, key, defaultValue) : defaultValue;
}

template <class Visit>
void TkSkinManager::EachColour(const Visit& change) {
  if (FMasterBitmap && !FMasterBitmap->GetEmpty()) RecolourBitmap(*FMasterBitmap, change);
  for (auto& m : FMasks)
    if (m.Bmp && !m.Bmp->GetEmpty()) RecolourBitmap(*m.Bmp, change);
  for (auto& s : FSections) {
    s.Color = change(s.Color);
    s.HotColor = change(s.HotColor);
    for (int k = 0; k < 5; ++k) {
      if (s.FontColor[k] != -1) s.FontColor[k] = change(s.FontColor[k]);
      if (s.HotFontColor[k] != -1) s.HotFontColor[k] = change(s.HotFontColor[k]);
    }
    const size_t stops = std::min(s.Gradient.size(), static_cast<size_t>(WordCountBySet(s.GradientData, ";") / 5));
    for (size_t i = 0; i < stops; ++i) {
      s.Gradient[i].Color1 = change(s.Gradient[i].Color1);
      s.Gradient[i].Color2 = change(s.Gradient[i].Color2);
    }
    for (auto& stop : s.HotGradient) {
      stop.Color1 = change(stop.Color1);
      stop.Color2 = change(stop.Color2);
    }
  }
  FSkinData->Shadow1Color = change(FSkinData->Shadow1Color);
}

void TkSkinManager::ChangeSkinHue(int delta) {
  if (delta == 0) return;
  EachColour([delta](fw::TColor c) { return ChangeHue(delta, c); });
}

void TkSkinManager::ChangeSkinSaturation(int amount) {
  if (amount == 0) return;
  const int step = (-amount) % 101;
  EachColour([step](fw::TColor c) { return ChangeSaturation(c, step); });
}

void TkSkinManager::Broadcast(int command) {
  fw::TMessage message{SM_SKINCMD, SkinCmdWParam(command), reinterpret_cast<LPARAM>(this), 0};
  BroadcastToAppForms(message);
}

void TkSkinManager::SendNewSkin() {
  TkHeldPainting held;
  FSkinableMenus->SetSkinBorderWidth(-1);
  FSkinData->SkinReady = false;
  {
    const fw::TFlagScope broadcasting(NewSkinBroadcasting);
    PrepareCommonIndexes();
    Broadcast(cmdNewSkin);
  }
  FSkinData->SkinReady = true;
  RepaintForms();
  FSkinableMenus->UpdateMenus();
}

void TkSkinManager::SendRemoveSkin() {
  FSkinData->SkinReady = false;
  Broadcast(cmdRemoveSkin);
  FreeMasks();
  FreePatterns();
  FSections.clear();
  FSkinableMenus->UpdateMenus();
}

bool TkSkinManager::MainWindowHook(fw::TMessage& message) {
  switch (message.Msg) {
    case SM_SKINMENU:
      if (!MenuBackground()) return false;
      FSkinableMenus->SkinItemWindow(reinterpret_cast<HMENU>(message.WParam), static_cast<UINT>(message.LParam));
      return true;
    case SM_SKINMENUWND:
      if (message.LParam) FSkinableMenus->SkinMenuWindow(reinterpret_cast<HWND>(message.LParam), MenuBackground());
      return true;
    default:
      return false;
  }
}

void TkSkinManager::RepaintForms() {
  fw::TMessage stop{SM_SKINCMD, SkinCmdWParam(cmdStopAnimation), 0, 0};
  BroadcastToAppForms(stop);
  Broadcast(cmdRefresh);
}

void TkSkinManager::PrepareCommonIndexes() {
  TkCommonIndexes& c = FCommonIndexes;
  c = TkCommonIndexes();
  auto mask = [&](int index, const char* section, const char* property) {
    return static_cast<short>(GetMaskIndex(index, section, property));
  };
  c.GlobalInfo = static_cast<short>(GetSkinIndex("GLOBALINFO"));
  const char* checks[9] = {"BOXCHECKED",     "BOXUNCHECKED", "BOXGRAYED",      "RADIOCHECKED", "RADIOUNCHECKED",
                           "RADIOGRAYED",    "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
  for (int i = 0; i < 9; ++i) c.CheckGlyphs[i] = c.GlobalInfo < 0 ? -1 : mask(c.GlobalInfo, "GLOBALINFO", checks[i]);
  c.ComboBtn = GetSkinIndex("COMBOBTN");
  c.ComboBtnBorder = GetMaskIndexBySection("COMBOBTN", "BORDERSMASK");
  c.ComboBtnTexture = GetTextureIndex(c.ComboBtn, "COMBOBTN", "PATTERN");
  c.ComboBtnHotTexture = GetTextureIndex(c.ComboBtn, "COMBOBTN", "HOTPATTERN");
  c.ComboGlyph = GetMaskIndexBySection("COMBOBOX", "GLYPHMASK");
  const char* tabs[4] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  for (int i = 0; i < 4; ++i) {
    c.Tabs[i] = static_cast<short>(GetSkinIndex(tabs[i]));
    c.TabBorders[i] = mask(c.Tabs[i], tabs[i], "BORDERSMASK");
  }
  const char* buttons[4] = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
  for (int i = 0; i < 4; ++i) {
    c.ScrollBtns[i] = static_cast<short>(GetSkinIndex(buttons[i]));
    c.ScrollBtnBorders[i] = mask(c.ScrollBtns[i], buttons[i], "BORDERSMASK");
    c.ScrollBtnTextures[i] = mask(c.ScrollBtns[i], buttons[i], "PATTERN");
    c.ScrollBtnHotTextures[i] = mask(c.ScrollBtns[i], buttons[i], "HOTPATTERN");
    c.ScrollBtnGlyphs[i] = mask(c.ScrollBtns[i], buttons[i], "GLYPHMASK");
  }
  const char* sliders[2] = {"SCROLLSLIDERV", "SCROLLSLIDERH"};
  for (int i = 0; i < 2; ++i) {
    c.Sliders[i] = static_cast<short>(GetSkinIndex(sliders[i]));
    c.SliderBorders[i] = mask(c.Sliders[i], sliders[i], "BORDERSMASK");
    c.SliderGlyphs[i] = mask(c.Sliders[i], sliders[i], "GLYPHMASK");
    c.SliderTextures[i] = mask(c.Sliders[i], sliders[i], "PATTERN");
    c.SliderHotTextures[i] = mask(c.Sliders[i], sliders[i], "HOTPATTERN");
  }
  const char* bars[4] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
  for (int i = 0; i < 4; ++i) {
    c.ScrollBars[i] = static_cast<short>(GetSkinIndex(bars[i]));
    c.ScrollBarBorders[i] = mask(c.ScrollBars[i], bars[i], "BORDERSMASK");
    c.ScrollBarTextures[i] = mask(c.ScrollBars[i], bars[i], "PATTERN");
    c.ScrollBarHotTextures[i] = mask(c.ScrollBars[i], bars[i], "HOTPATTERN");
  }
}

int TkSkinManager::GetSkinIndex(const std::string& sectionName) const {
  for (size_t i = 0; i < FSections.size(); ++i)
    if (FSections[i].SectionName == sectionName) return static_cast<int>(i);
  return -1;
}

int TkSkinManager::GetMaskIndex(int skinIndex, const std::string& sectionName, const std::string& propertyName) const {
  return FindUp(*this, skinIndex, sectionName, [&](const std::string& section) {
    return GetMaskIndexBySection(section, propertyName);
  });
}

int TkSkinManager::GetTextureIndex(int skinIndex, const std::string& sectionName,
                                   const std::string& propertyName) const {
  if (FMasks.empty()) return -1;
  return FindUp(*this, skinIndex, sectionName, [&](const std::string& section) {
    for (size_t i = 0; i < FMasks.size(); ++i)
      if (FMasks[i].ImgType == itisaTexture && FMasks[i].SectionName == section &&
          FMasks[i].PropertyName == propertyName)
        return static_cast<int>(i);
    return -1;
  });
}

int TkSkinManager::GetPatternIndex(int skinIndex, const std::string& sectionName,
                                   const std::string& propertyName) const {
  if (FPatterns.empty()) return -1;
  return FindUp(*this, skinIndex, sectionName, [&](const std::string& section) {
    for (size_t i = 0; i < FPatterns.size(); ++i)
      if (FPatterns[i].SectionName == section && FPatterns[i].PropertyName == propertyName) return static_cast<int>(i);
    return -1;
  });
}

int TkSkinManager::GetMaskIndexBySection(const std::string& sectionName, const std::string& propertyName) const {
  if (sectionName.empty()) return -1;
  for (size_t i = 0; i < FMasks.size(); ++i)
    if (FMasks[i].SectionName == sectionName && FMasks[i].PropertyName == propertyName) return static_cast<int>(i);
  return -1;
}

bool TkSkinManager::IsValidSkinIndex(int index) const {
  return FSkinData && index >= 0 && index < static_cast<int>(FSections.size());
}

bool TkSkinManager::IsValidImgIndex(int index) const { return index >= 0 && index < static_cast<int>(FMasks.size()); }

fw::TColor TkSkinManager::GetGlobalColor() const {
  int index = GetSkinIndex("GLOBALINFO");
  return fw::ColorToRGB(index < 0 ? fw::clBtnFace : FSections[index].Color);
}

fw::TColor TkSkinManager::GetGlobalFontColor() const {
  int index = GetSkinIndex("GLOBALINFO");
  return index < 0 ? fw::clFuchsia : fw::ColorToRGB(FSections[index].FontColor[0]);
}

fw::TSize TkSkinManager::GetMaskFrameSize(int index) const {
  return IsValidImgIndex(index) ? MaskFrameSize(FMasks[index]) : fw::TSize{0, 0};
}
int TkSkinManager::MaskWidthLeft(int index) const { return IsValidImgIndex(index) ? MaskLeftWidth(FMasks[index]) : 0; }
int TkSkinManager::MaskWidthTop(int index) const { return IsValidImgIndex(index) ? MaskTopWidth(FMasks[index]) : 0; }
int TkSkinManager::MaskWidthRight(int index) const { return IsValidImgIndex(index) ? MaskRightWidth(FMasks[index]) : 0; }
int TkSkinManager::MaskWidthBottom(int index) const {
  return IsValidImgIndex(index) ? MaskBottomWidth(FMasks[index]) : 0;
}

}  // namespace skin
