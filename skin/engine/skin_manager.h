// TkSkinManager: holds the active skin of the program. It loads a skin, from a skin folder
// holding "Options.dat" and its pictures or from a skin stored in the program, into a section
// table, a mask table, a pattern table and a master bitmap; announces every change to all forms
// and controls through the skin command message; and answers look-ups by section and property.
// The first manager created serves every skinned control that has none of its own.
#pragma once
#include <memory>
#include <string>

#include "framework/core/component.h"
#include "framework/core/events.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/colors.h"
#include "framework/classes/string_list.h"
#include "skin/engine/mask_data.h"
#include "skin/engine/menu_support.h"
#include "skin/engine/section_data.h"
#include "skin/engine/skinable_menus.h"
#include "skin/engine/stored_skins.h"

namespace skin {

class TkIniView;
struct TkImageTables;

// The skin stored inside the program.
inline constexpr char kNeutralSkinName[] = "Neutral (internal)";

// Asked for the extra line of a popup by its first item; a glyph handed back belongs to the
// menu painter.
using TkGetExtraLineData = std::function<void(fw::TObject* firstItem, std::string& skinSection, std::string& caption,
                                              fw::TBitmap*& glyph, bool& lineVisible)>;

// Positions of the sections and masks many controls need; -1 when absent.
struct TkCommonIndexes {
  short GlobalInfo = -1;
  // BOXCHECKED, BOXUNCHECKED, BOXGRAYED, RADIOCHECKED, RADIOUNCHECKED, RADIOGRAYED,
  // SMALLCHECKED, SMALLUNCHECKED, SMALLGRAYED of GLOBALINFO.
  short CheckGlyphs[9] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
  int ComboBtn = -1, ComboBtnBorder = -1, ComboBtnTexture = -1, ComboBtnHotTexture = -1, ComboGlyph = -1;
  // TABTOP, TABBOTTOM, TABLEFT, TABRIGHT.
  short Tabs[4] = {-1, -1, -1, -1}, TabBorders[4] = {-1, -1, -1, -1};
  // SCROLLBTNTOP, SCROLLBTNBOTTOM, SCROLLBTNLEFT, SCROLLBTNRIGHT.
  short ScrollBtns[4] = {-1, -1, -1, -1}, ScrollBtnBorders[4] = {-1, -1, -1, -1};
  short ScrollBtnTextures[4] = {-1, -1, -1, -1}, ScrollBtnHotTextures[4] = {-1, -1, -1, -1};
  short ScrollBtnGlyphs[4] = {-1, -1, -1, -1};
  // SCROLLSLIDERV, SCROLLSLIDERH.
  short Sliders[2] = {-1, -1}, SliderBorders[2] = {-1, -1}, SliderGlyphs[2] = {-1, -1};
  short SliderTextures[2] = {-1, -1}, SliderHotTextures[2] = {-1, -1};
  // SCROLLBAR1H, SCROLLBAR1V, SCROLLBAR2H, SCROLLBAR2V.
  short ScrollBars[4] = {-1, -1, -1, -1}, ScrollBarBorders[4] = {-1, -1, -1, -1};
  short ScrollBarTextures[4] = {-1, -1, -1, -1}, ScrollBarHotTextures[4] = {-1, -1, -1, -1};
};

class TkSkinManager : public fw::TComponent {
  FW_CLASS(TkSkinManager, fw::TComponent)
 public:
  explicit TkSkinManager(fw::TComponent* owner);
  void AfterConstruction() override;
  void Loaded() override;

  // Published, in streaming order.
  bool GetIsDefault() const;
  void SetIsDefault(bool value);
  bool GetActive() const { return FActive; }
  void SetActive(bool value);
  fw::TStringList* GetCommonSections() { return &FCommonSections; }
  void SetCommonSections(const fw::TStrings& lines);
  int GetSaturation() const { return FSaturation; }
  void SetSaturation(int value);
  int GetHueOffset() const { return FHueOffset; }
  void SetHueOffset(int value);
  TkStoredSkins* GetInternalSkins() const { return FInternalSkins; }
  // Assigns the collection, which the stored items do not support (EConvertError).
  void SetInternalSkins(const TkStoredSkins* value) { FInternalSkins->Assign(value); }
  TkMenuSupport* GetMenuSupport() const { return FMenuSupport.get(); }
  // The folder of the skin folders, as written; a new value moves SkinPath, without a reload.
  const std::string& GetSkinDirectory() const { return FSkinDirectory; }
  void SetSkinDirectory(const std::string& value);
  // The active skin; on an active manager a new name loads and announces that skin. A skin
  // that fails to load is reported once and replaced by the first stored skin.
  const std::string& GetSkinName() const { return FSkinName; }
  void SetSkinName(const std::string& value);
  // The loaded skin's version ("4.8"), or "N/A" while no skin is ready; writing does nothing.
  std::string GetSkinInfo() const;
  void SetSkinInfo(const std::string&) {}
  std::string GetVersion() const { return "4.80 beta"; }
  void SetVersion(const std::string&) {}
  bool GetSkinnedPopups() const { return FSkinnedPopups; }
  void SetSkinnedPopups(bool value);
  fw::TNotifyEvent OnAfterChange;
  fw::TNotifyEvent OnBeforeChange;
  TkGetExtraLineData OnGetMenuExtraLineData;

  // Loading and announcing.
  void LoadSkin();
  void SendNewSkin();
  void SendRemoveSkin();
  void RepaintForms();
  // SkinDirectory resolved against the program folder, ending in a separator.
  void NormalizeSkinDirectory(std::string& dir) const;
  // The stored skins and the sub-folders holding an "Options.dat", sorted without regard to
  // case; firstName is the first one found (the first stored skin when there is one).
  void GetSkinNames(fw::TStrings& list, std::string& firstName) const;
  void PrepareCommonIndexes();
  void FreeMasks();
  void FreePatterns();
  void LoadMasks();
  void LoadPatterns();
  void LoadSectionData();
  // Inherited reading of the open skin file.
  std::string ReadIniString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  int ReadIniInteger(const std::string& section, const std::string& key, int defaultValue) const;
  void ChangeSkinHue(int delta);
  void ChangeSkinSaturation(int amount);

  // Look-ups; -1 when absent. A section without the picture asks its parent class, and so on
  // up, stopping at a section already asked and after kMaxParentDepth parents.
  int GetSkinIndex(const std::string& sectionName) const;
  int GetMaskIndex(int skinIndex, const std::string& sectionName, const std::string& propertyName) const;
  int GetTextureIndex(int skinIndex, const std::string& sectionName, const std::string& propertyName) const;
  int GetPatternIndex(int skinIndex, const std::string& sectionName, const std::string& propertyName) const;
  int GetMaskIndexBySection(const std::string& sectionName, const std::string& propertyName) const;
  bool IsValidSkinIndex(int index) const;
  bool IsValidImgIndex(int index) const;
  fw::TColor GetGlobalColor() const;
  fw::TColor GetGlobalFontColor() const;
  fw::TSize GetMaskFrameSize(int index) const;
  int MaskWidthLeft(int index) const;
  int MaskWidthTop(int index) const;
  int MaskWidthRight(int index) const;
  int MaskWidthBottom(int index) const;

  // The loaded skin.
  const TkGeneralDataArray& GetSections() const { return FSections; }
  const TkMaskArray& GetMasks() const { return FMasks; }
  const TkPatternArray& GetPatterns() const { return FPatterns; }
  fw::TBitmap* GetMasterBitmap() const { return FMasterBitmap.get(); }
  TkSkinData* GetSkinData() const { return FSkinData.get(); }
  const TkCommonIndexes& GetCommonIndexes() const { return FCommonIndexes; }
  TkSkinableMenus* GetSkinableMenus() const { return FSkinableMenus.get(); }
  // The hook on the application window: skins the popup window behind SM_SKINMENU and
  // SM_SKINMENUWND; true when the message was handled.
  bool MainWindowHook(fw::TMessage& message);

 protected:
  ~TkSkinManager() override;

 private:
  // Loads the named skin (a folder only when allowFolder); false when there was nothing to
  // load. Raises what a loader raises.
  bool LoadSkinFrom(bool allowFolder);
  // Loads the current skin; on failure warns, loads the first stored skin instead (or empties
  // the tables when there is none) and answers false.
  bool LoadOrFallBack();
  // Reads the skin again after a colour setting changed, when one is ready.
  void ReloadForColours();
  void EmptyTables();
  // The tables the image loaders fill, reading pictures through the open load's files.
  TkImageTables ImageTables();
  void Broadcast(int command);
  const TkStoredSkin* CurrentStoredSkin() const;
  template <class Visit>
  void EachColour(const Visit& visit);

  bool FIsDefault = false;
  bool FActive = true;
  fw::TStringList FCommonSections;
  int FSaturation = 0;
  int FHueOffset = 0;
  TkStoredSkins* FInternalSkins;
  std::unique_ptr<TkMenuSupport> FMenuSupport;
  std::string FSkinDirectory;
  std::string FSkinName;
  bool FSkinnedPopups = true;
  std::unique_ptr<TkSkinableMenus> FSkinableMenus;
  fw::Owned<TkSkinData> FSkinData;
  TkGeneralDataArray FSections;
  TkMaskArray FMasks;
  TkPatternArray FPatterns;
  std::shared_ptr<fw::TBitmap> FMasterBitmap;
  TkCommonIndexes FCommonIndexes;
  int FHookId = 0;
};

// The manager that serves controls without one of their own, or null.
TkSkinManager* DefaultManager();
// The skin file being loaded ("Options.dat" read in full), null outside a load.
const TkIniView* SkinFile();
// True while a skin is being loaded and announced.
extern bool SkinLoading;
// True while a new skin is announced to the forms.
extern bool NewSkinBroadcasting;

}  // namespace skin
