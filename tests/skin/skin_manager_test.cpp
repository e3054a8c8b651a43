// The skin manager: the road of a skin change through the forms, the setters, the colour
// passes, the default manager, and every bad input ending with the stored skin announced.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/forms/application.h"
#include "framework/extctrls/bevel.h"
#include "framework/extctrls/custom_panel.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/seams.h"
#include "framework/classes/string_list.h"
#include "skin/engine/color_passes.h"
#include "skin/engine/skin_command.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/stored_skins.h"
#include "support/gui_test_support.h"
#include "support/sandbox.h"
#include "support/test_skins.h"

namespace {

using test_skins::Picture;

const Picture kMaster = [] {
  Picture p(40, 20, 0x3050D0);
  p.Fill(0, 0, 10, 10, test_skins::kFuchsia);
  p.Fill(10, 0, 10, 10, 0x808080);
  return p;
}();

const std::string kGoodOptions =
    "[GLOBALINFO]\nVERSION=2.5\nMASTERBITMAP=master.bmp\nCOLOR=$00FF00\nFONTCOLOR=$0000FF\n"
    "BOXCHECKED=^0000,0000,0030,0020,0000,0000,0000,0000,3,1,0,0\n"
    "[BUTTON]\nBORDERSMASK=^0000,0000,0030,0020,0000,0000,0000,0000,3,1,0,0\nCOLOR=$102030\n"
    "[CHILD]\nPARENTCLASS=BUTTON\n[SELF]\nPARENTCLASS=SELF\n"
    "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\n";

class SkinManagerTest : public testing_gui::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    root = testing_sandbox::TestFolder();
    fw::testing::SetProgramFolder(root);
    form = fw::New<fw::TForm>(fw::Application);
    fw::TWndMethodProc original = form->GetWindowProc();
    form->SetWindowProc([this, original](fw::TMessage& m) {
      if (m.Msg == skin::SM_SKINCMD) {
        const int command = skin::SkinCmdOf(m.WParam);
        std::string entry = "cmd " + std::to_string(command);
        if (m.LParam == reinterpret_cast<LPARAM>(manager)) entry += " manager";
        log.push_back(entry);
      }
      original(m);
    });
  }
  void TearDown() override {
    if (manager) manager->Free();
    fw::testing::SetProgramFolder("");
    GuiTest::TearDown();
  }
  // Makes control note the skin commands it receives in log (a skinned one answers command 7),
  // and, when held is given, the painting holds it is given and its paints.
  void Record(fw::TControl* control, const std::string& name, bool skinned,
              std::vector<std::string>* held = nullptr) {
    fw::TWndMethodProc original = control->GetWindowProc();
    control->SetWindowProc([this, held, name, skinned, original](fw::TMessage& m) {
      if (m.Msg == skin::SM_SKINCMD) {
        const int command = skin::SkinCmdOf(m.WParam);
        if (command == skin::cmdIsSkinned) {
          if (skinned) m.LParam = 1;
          return;
        }
        log.push_back(name + " " + std::to_string(command));
      } else if (held && m.Msg == WM_SETREDRAW) {
        held->push_back(name + (m.WParam ? " on" : " off"));
      } else if (held && m.Msg == WM_PAINT) {
        held->push_back(name + " paints");
      }
      original(m);
    });
  }
  // A manager owned by no form, with the given stored skins, its skin folder root + "Skins".
  skin::TkSkinManager* MakeManager(int storedSkins = 1) {
    manager = fw::New<skin::TkSkinManager>(nullptr);
    for (int i = 0; i < storedSkins; ++i)
      test_skins::AddStoredSkin(*manager->GetInternalSkins(), i == 0 ? "Stored one" : "Stored two",
                                {{"GLOBALINFO", ""}, {"BUTTON", ""}}, kMaster);
    manager->SetSkinDirectory(root + "Skins");
    manager->OnBeforeChange = [this](fw::TObject* sender) { log.push_back(sender == manager ? "before" : "?"); };
    manager->OnAfterChange = [this](fw::TObject* sender) { log.push_back(sender == manager ? "after" : "?"); };
    return manager;
  }
  std::string WriteSkin(const std::string& name, const std::string& options,
                        std::map<std::string, std::string> files = {}) {
    if (!files.count("master.bmp")) files["master.bmp"] = test_skins::Bmp24(kMaster);
    return test_skins::WriteSkinFolder(root + "Skins\\", name, options, files);
  }
  // Loads a skin that must fail: one warning naming the skin and what, the first stored skin
  // announced, nothing left loading, the folder removable at once.
  void ExpectFailure(const std::string& name, const std::string& place) {
    SCOPED_TRACE(name);
    scripted->Texts.clear();
    log.clear();
    manager->SetSkinName(name);
    ASSERT_EQ(scripted->Texts.size(), 1u);
    const std::string& text = scripted->Texts[0];
    EXPECT_EQ(text.rfind("Skin \"" + name + "\" could not be loaded: ", 0), 0u) << text;
    EXPECT_NE(text.find(place), std::string::npos) << text;
    EXPECT_NE(text.find(". \"Stored one\" is used instead."), std::string::npos) << text;
    EXPECT_EQ(manager->GetSkinName(), "Stored one");
    EXPECT_TRUE(manager->GetActive());
    EXPECT_TRUE(manager->GetSkinData()->SkinReady);
    EXPECT_FALSE(skin::SkinLoading);
    EXPECT_EQ(skin::SkinFile(), nullptr);
    EXPECT_EQ(manager->GetSections().size(), 2u);
    EXPECT_EQ(manager->GetSkinInfo(), "1.5");
    EXPECT_EQ(log, (std::vector<std::string>{"before", "cmd 1 manager", "cmd 16", "cmd 3 manager", "after"}));
    testing_sandbox::RemoveTree(root + "Skins\\" + name);
    EXPECT_FALSE(fw::DirectoryExists(root + "Skins\\" + name));
  }

  std::string root;
  fw::TForm* form = nullptr;
  skin::TkSkinManager* manager = nullptr;
};

TEST_F(SkinManagerTest, ChangeTravelsThroughTheForms) {
  MakeManager();
  WriteSkin("Good", kGoodOptions);
  manager->SetSkinName("Good");
  EXPECT_EQ(log, (std::vector<std::string>{"before", "cmd 1 manager", "cmd 16", "cmd 3 manager", "after"}));
  EXPECT_TRUE(scripted->Texts.empty());
  EXPECT_EQ(manager->GetSkinInfo(), "2.5");
  EXPECT_EQ(manager->GetSkinData()->SkinPath, root + "Skins\\Good\\");
  EXPECT_FALSE(skin::SkinLoading);
  EXPECT_EQ(manager->GetGlobalColor(), 0x00FF00);
  EXPECT_EQ(manager->GetGlobalFontColor(), 0x0000FF);
  EXPECT_EQ(manager->GetCommonIndexes().GlobalInfo, 0);
  EXPECT_EQ(manager->GetCommonIndexes().CheckGlyphs[0], 0);
  EXPECT_EQ(manager->GetCommonIndexes().CheckGlyphs[1], -1);

  // Look-ups: exact names, the parent's mask, loops answering -1.
  EXPECT_EQ(manager->GetSkinIndex("BUTTON"), 1);
  EXPECT_EQ(manager->GetSkinIndex("button"), -1);
  int child = manager->GetSkinIndex("CHILD");
  EXPECT_EQ(manager->GetMaskIndex(child, "CHILD", "BORDERSMASK"), 1);
  EXPECT_EQ(manager->GetMaskIndexBySection("CHILD", "BORDERSMASK"), -1);
  EXPECT_EQ(manager->GetMaskIndex(manager->GetSkinIndex("SELF"), "SELF", "BORDERSMASK"), -1);
  EXPECT_EQ(manager->GetMaskIndex(manager->GetSkinIndex("A"), "A", "BORDERSMASK"), -1);
  EXPECT_EQ(manager->GetPatternIndex(manager->GetSkinIndex("A"), "A", "PATTERN"), -1);
  EXPECT_EQ(manager->GetTextureIndex(manager->GetSkinIndex("C"), "C", "PATTERN"), -1);
  EXPECT_EQ(manager->GetMaskIndex(-1, "BUTTON", "BORDERSMASK"), -1);
  EXPECT_TRUE(manager->IsValidSkinIndex(6));
  EXPECT_FALSE(manager->IsValidSkinIndex(7));
  EXPECT_TRUE(manager->IsValidImgIndex(1));
  EXPECT_FALSE(manager->IsValidImgIndex(2));
  EXPECT_EQ(manager->GetMaskFrameSize(1).cx, 10);
  EXPECT_EQ(manager->MaskWidthLeft(1), 3);
  EXPECT_EQ(manager->GetMaskFrameSize(9).cx, 0);

  // The stored skin under its own name, and unknown names fall back to the first stored one.
  log.clear();
  manager->SetSkinName("Stored one");
  EXPECT_EQ(manager->GetSkinData()->SkinPath, "");
  EXPECT_EQ(manager->GetSkinInfo(), "1.5");
  manager->SetSkinName("Nowhere");
  EXPECT_EQ(manager->GetSkinName(), "Stored one");
  EXPECT_TRUE(scripted->Texts.empty());
  EXPECT_EQ(manager->GetGlobalFontColor(), 0);
}

TEST_F(SkinManagerTest, BroadcastReachesGraphicAndSkinnedChildren) {
  MakeManager();
  auto* plain = fw::New<fw::TPanel>(form);  // not skinned: the walk goes into it
  plain->SetParent(form);
  auto* inner = fw::New<fw::TBevel>(form);
  inner->SetParent(plain);
  Record(inner, "inner", false);
  auto* skinned = fw::New<fw::TPanel>(form);  // skinned: gets the message, passes it on itself
  skinned->SetParent(form);
  auto* hidden = fw::New<fw::TBevel>(form);
  hidden->SetParent(skinned);
  Record(hidden, "hidden", false);
  Record(skinned, "skinned", true);
  auto* graphic = fw::New<fw::TBevel>(form);
  graphic->SetParent(form);
  Record(graphic, "graphic", false);
  log.clear();
  manager->SetSkinName("Stored one");
  const std::vector<std::string> expected = {"before",  "cmd 1 manager", "inner 1", "skinned 1", "graphic 1",
                                             "cmd 16",  "inner 16",      "skinned 16", "graphic 16",
                                             "cmd 3 manager", "inner 3", "skinned 3", "graphic 3", "after"};
  EXPECT_EQ(log, expected);
}

// A change holds the painting of each shown form the skin draws (one with a skinned control) and
// repaints it once at the end; a form with nothing skinned is left as it is.
TEST_F(SkinManagerTest, OnlyFormsTheSkinDrawsAreHeldAndRepainted) {
  MakeManager();
  auto* skinnedForm = fw::New<fw::TForm>(fw::Application);
  auto* panel = fw::New<fw::TPanel>(skinnedForm);
  panel->SetParent(skinnedForm);
  fw::TWndMethodProc panelProc = panel->GetWindowProc();
  panel->SetWindowProc([panelProc](fw::TMessage& m) {
    if (m.Msg == skin::SM_SKINCMD && skin::SkinCmdOf(m.WParam) == skin::cmdIsSkinned) {
      m.LParam = 1;
      return;
    }
    panelProc(m);
  });
  std::vector<std::string> held;
  for (auto [shown, name] : {std::pair{form, "plain"}, std::pair{skinnedForm, "skinned"}}) {
    fw::TWndMethodProc original = shown->GetWindowProc();
    shown->SetWindowProc([&held, name, original](fw::TMessage& m) {
      if (m.Msg == WM_SETREDRAW) held.push_back(std::string(name) + (m.WParam ? " on" : " off"));
      original(m);
    });
    shown->Show();
  }
  manager->SetSkinName("Stored one");
  EXPECT_EQ(held, (std::vector<std::string>{"skinned off", "skinned on"}));
  skinnedForm->Free();
}

// A form whose window cannot be made: it names as its parent a window that is gone.
class TUnmakeableForm : public fw::TForm {
 public:
  using fw::TForm::TForm;

 protected:
  void CreateParams(fw::TCreateParams& params) override {
    fw::TForm::CreateParams(params);
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    params.Style = (params.Style & ~WS_POPUP) | WS_CHILD;
    params.WndParent = gone;
  }
};

// A change that fails on its way round gives back what it took: the held form takes its painting
// back, shows and paints; nothing is left loading or broadcasting; the next change reaches every
// control.
TEST_F(SkinManagerTest, AFailedChangeGivesBackWhatItHeld) {
  MakeManager();
  auto* unmakeable = fw::New<TUnmakeableForm>(fw::Application);
  auto* shown = fw::New<fw::TForm>(fw::Application);  // walked first: the walks go from the last form
  auto* panel = fw::New<fw::TPanel>(shown);
  panel->SetParent(shown);
  std::vector<std::string> held;
  Record(panel, "panel", true, &held);
  Record(shown, "shown", false, &held);
  shown->Show();
  log.clear();

  EXPECT_THROW(manager->SetSkinName("Stored one"), fw::Exception);
  EXPECT_EQ(log, (std::vector<std::string>{"before", "shown 1", "panel 1"}));
  EXPECT_FALSE(skin::NewSkinBroadcasting);
  EXPECT_FALSE(skin::SkinLoading);
  // The form's painting was held once and given back, and it painted after that.
  EXPECT_TRUE(IsWindowVisible(shown->GetHandle()));
  EXPECT_EQ(std::count(held.begin(), held.end(), "shown off"), 1);
  EXPECT_EQ(std::count(held.begin(), held.end(), "shown on"), 1);
  const auto givenBack = std::find(held.begin(), held.end(), "shown on");
  EXPECT_TRUE(std::find(givenBack, held.end(), "shown paints") != held.end());

  // Without the form that failed, the next change goes all the way round.
  unmakeable->Free();
  log.clear();
  held.clear();
  manager->SetSkinName("Stored one");
  const std::vector<std::string> expected = {"before", "shown 1", "panel 1", "cmd 1 manager", "shown 16", "panel 16",
                                             "cmd 16", "shown 3", "panel 3", "cmd 3 manager", "after"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(std::count(held.begin(), held.end(), "shown on"), 1);
  EXPECT_TRUE(IsWindowVisible(shown->GetHandle()));
  shown->Free();
}

TEST_F(SkinManagerTest, ActiveAndColourSetters) {
  MakeManager();
  manager->SetActive(false);
  log.clear();
  manager->SetSkinName("Stored one");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(manager->GetSkinInfo(), "N/A");
  EXPECT_TRUE(manager->GetSections().empty());
  manager->SetActive(true);
  EXPECT_EQ(log, (std::vector<std::string>{"before", "cmd 1 manager", "cmd 16", "cmd 3 manager", "after"}));
  EXPECT_EQ(manager->GetSkinInfo(), "1.5");

  log.clear();
  manager->SetActive(false);
  EXPECT_EQ(log, std::vector<std::string>{"cmd 2 manager"});
  EXPECT_EQ(manager->GetCommonIndexes().GlobalInfo, -1);
  // A new colour value with no skin ready only stores it.
  manager->SetHueOffset(40);
  EXPECT_EQ(manager->GetHueOffset(), 40);
  EXPECT_FALSE(skin::SkinLoading);
  EXPECT_EQ(log.size(), 1u);
  manager->SetHueOffset(0);
  manager->SetActive(true);

  // The hue pass turns colours but leaves fuchsia and greys alone; the same value twice does
  // nothing; saturation 101 is a step of 0.
  log.clear();
  manager->SetHueOffset(120);
  EXPECT_EQ(log, (std::vector<std::string>{"cmd 16", "cmd 3 manager"}));
  fw::TBitmap* master = manager->GetMasterBitmap();
  EXPECT_EQ(test_skins::PixelOf(*master, 0, 0), test_skins::kFuchsia);
  EXPECT_EQ(test_skins::PixelOf(*master, 15, 5), 0x808080);
  const fw::TColor turned = test_skins::PixelOf(*master, 30, 15);
  EXPECT_NE(turned, 0x3050D0);
  log.clear();
  manager->SetHueOffset(120);
  EXPECT_TRUE(log.empty());
  manager->SetSaturation(101);
  EXPECT_EQ(test_skins::PixelOf(*manager->GetMasterBitmap(), 30, 15), turned);
  manager->SetSaturation(100);  // step -100: away from grey
  EXPECT_NE(test_skins::PixelOf(*manager->GetMasterBitmap(), 30, 15), turned);
  EXPECT_EQ(test_skins::PixelOf(*manager->GetMasterBitmap(), 15, 5), 0x808080);
}

TEST_F(SkinManagerTest, DefaultManagerAndNoStoredSkins) {
  MakeManager(0);
  EXPECT_TRUE(manager->GetIsDefault());
  EXPECT_EQ(skin::DefaultManager(), manager);
  manager->SetIsDefault(false);
  EXPECT_TRUE(manager->GetIsDefault());

  // Without stored skins an unknown name turns the manager off.
  manager->SetSkinName("Nowhere");
  EXPECT_FALSE(manager->GetActive());
  EXPECT_TRUE(scripted->Texts.empty());

  auto* second = fw::New<skin::TkSkinManager>(nullptr);
  EXPECT_FALSE(second->GetIsDefault());
  test_skins::AddStoredSkin(*second->GetInternalSkins(), "Second", {{"GLOBALINFO", ""}});
  second->SetSkinName("Second");
  log.clear();
  second->SetIsDefault(true);
  EXPECT_TRUE(second->GetIsDefault());
  EXPECT_FALSE(manager->GetIsDefault());
  EXPECT_EQ(log.front(), "cmd 1");  // the second manager announces its skin
  second->Free();
  EXPECT_EQ(skin::DefaultManager(), nullptr);
}

TEST_F(SkinManagerTest, BadInputFallsBackToTheStoredSkin) {
  MakeManager();
  const std::string bmp = test_skins::Bmp24(Picture(30, 20, 0x00FF00));
  const std::string jpeg = test_skins::Jpeg(320, 320, 0x336699);
  WriteSkin("Cut", "[A]\nB=cut.bmp\n", {{"cut.bmp", test_skins::CutAt(bmp, 70)}});
  ExpectFailure("Cut", "CUT.BMP");
  WriteSkin("Magic", "[A]\nB=magic.bmp\n", {{"magic.bmp", test_skins::WrongMagic(bmp)}});
  ExpectFailure("Magic", "MAGIC.BMP");
  WriteSkin("Text", "[A]\nB=text.bmp\n", {{"text.bmp", "this is no picture"}});
  ExpectFailure("Text", "TEXT.BMP");
  WriteSkin("Empty", "[A]\nB=empty.bmp\n", {{"empty.bmp", ""}});
  ExpectFailure("Empty", "EMPTY.BMP");
  WriteSkin("Huge", "[A]\nB=huge.bmp\n", {{"huge.bmp", test_skins::HugeBmpHeader(100000)}});
  ExpectFailure("Huge", "HUGE.BMP");
  WriteSkin("Half", "[FORM]\nPATTERN=half.jpg\n", {{"half.jpg", test_skins::CutAt(jpeg, jpeg.size() / 2)}});
  ExpectFailure("Half", "HALF.JPG");
  WriteSkin("Cmyk", "[FORM]\nPATTERN=cmyk.jpg\n", {{"cmyk.jpg", test_skins::JpegCmyk(320, 320)}});
  ExpectFailure("Cmyk", "CMYK.JPG");
  WriteSkin("Value", "[FORM]\nBORDERSMASK=^0000,00x0,0030,0020\n");
  ExpectFailure("Value", "[FORM] BORDERSMASK");
  WriteSkin("Shadow", "[GLOBALINFO]\nSHADOW1COLOR=black\n");
  ExpectFailure("Shadow", "[GLOBALINFO] SHADOW1COLOR");
  WriteSkin("Gradient", "[BUTTON]\nGRADIENTDATA=1;2;3;x;0\n");
  ExpectFailure("Gradient", "[BUTTON] GRADIENTDATA");
  WriteSkin("Blank", "");
  ExpectFailure("Blank", "Options.dat");
  WriteSkin("Binary", std::string("\x01\x02\x00\xff\xfe garbage", 13));
  ExpectFailure("Binary", "Options.dat");
}

TEST_F(SkinManagerTest, PicturesOfOneFileTurnOnceAndALoadReadsChangedFiles) {
  MakeManager();
  const std::string options =
      "[GLOBALINFO]\nMASTERBITMAP=master.bmp\n[BUTTON]\nFIRST=MASTER.BMP\nSECOND=master.bmp\n";
  WriteSkin("Shared", options);
  manager->SetSkinName("Shared");
  ASSERT_TRUE(scripted->Texts.empty()) << scripted->Texts[0];
  auto pixel = [this](const char* property) {
    const int index = manager->GetMaskIndexBySection("BUTTON", property);
    return index < 0 ? fw::clNone : test_skins::PixelOf(*manager->GetMasks()[index].Bmp, 30, 15);
  };
  EXPECT_EQ(pixel("FIRST"), 0x3050D0);
  EXPECT_EQ(pixel("SECOND"), 0x3050D0);

  // The hue pass turns each picture once, those read from one file as the master is.
  manager->SetHueOffset(40);
  const fw::TColor turned = skin::ChangeHue(40, 0x3050D0);
  EXPECT_EQ(test_skins::PixelOf(*manager->GetMasterBitmap(), 30, 15), turned);
  EXPECT_EQ(pixel("FIRST"), turned);
  EXPECT_EQ(pixel("SECOND"), turned);
  manager->SetHueOffset(0);

  // Loading the skin again reads its files as they are now.
  WriteSkin("Shared", options, {{"master.bmp", test_skins::Bmp24(Picture(40, 20, 0x20A040))}});
  manager->SetSkinName("Shared");
  EXPECT_TRUE(scripted->Texts.empty());
  EXPECT_EQ(test_skins::PixelOf(*manager->GetMasterBitmap(), 30, 15), 0x20A040);
  EXPECT_EQ(pixel("FIRST"), 0x20A040);
  EXPECT_EQ(pixel("SECOND"), 0x20A040);
}

TEST_F(SkinManagerTest, HarmlessOddsLoadWithoutAWarning) {
  MakeManager();
  WriteSkin("Odd",
            "[GLOBALINFO]\nMASTERBITMAP=gone.bmp\nBOXCHECKED=^0000,0000,0030,0020,0000,0000,0000,0000,3,1,0,0\n"
            "[UNKNOWN SECTION]\nWHATEVER=free text\nMISSING=nothing.bmp\nNOBMP=picture.gif\nNOJPG=tile.png\n"
            "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=A\nCOLOR=?\n",
            {{"master.bmp", ""}});
  manager->SetSkinName("Odd");
  EXPECT_TRUE(scripted->Texts.empty()) << scripted->Texts[0];
  EXPECT_EQ(manager->GetSkinName(), "Odd");
  EXPECT_EQ(manager->GetMasterBitmap(), nullptr);
  EXPECT_EQ(manager->GetMasks().size(), 1u);  // addresses a master bitmap that is not there
  EXPECT_EQ(manager->GetSkinIndex("UNKNOWN SECTION"), 1);
  EXPECT_EQ(manager->GetSections()[manager->GetSkinIndex("B")].Color, 0xFFFFFF);
}

TEST_F(SkinManagerTest, FolderAndNamesFromTheProgramFolder) {
  MakeManager(2);
  fw::testing::SetProgramFolder("C:\\A\\B\\");
  auto resolved = [&](const std::string& folder) {
    manager->SetSkinDirectory(folder);
    std::string dir;
    manager->NormalizeSkinDirectory(dir);
    return dir;
  };
  EXPECT_EQ(resolved("..\\Skins"), "C:\\A\\Skins\\");
  EXPECT_EQ(resolved(".\\Skins"), "C:\\A\\B\\Skins\\");
  EXPECT_EQ(resolved("./Skins"), "C:\\A\\B\\Skins\\");
  EXPECT_EQ(resolved("Skins"), "C:\\A\\B\\Skins\\");
  EXPECT_EQ(resolved("D:\\S"), "D:\\S\\");
  EXPECT_EQ(resolved("D"), "C:\\A\\B\\D\\");
  EXPECT_EQ(resolved("\\\\srv\\skins"), "\\\\srv\\skins\\");
  EXPECT_EQ(manager->GetSkinData()->SkinPath, "\\\\srv\\skins\\");

  fw::testing::SetProgramFolder(root);
  for (const char* name : {"b", "A"}) WriteSkin(name, "[GLOBALINFO]\n");
  fw::ForceDirectories(root + "Skins\\c");
  WriteSkin(".x", "[GLOBALINFO]\n");
  manager->SetSkinDirectory(".\\Skins");
  fw::TStringList names;
  std::string first;
  manager->GetSkinNames(names, first);
  EXPECT_EQ(names.GetText(), "A\r\nb\r\nStored one\r\nStored two\r\n");
  EXPECT_EQ(first, "Stored one");
}

TEST_F(SkinManagerTest, DestroyingFreesStoredSkinsAndPictures) {
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 5; ++i) {
    MakeManager(2);
    WriteSkin("Good", kGoodOptions);
    manager->SetSkinName("Good");
    manager->SetSkinName("Stored two");
    manager->Free();
    manager = nullptr;
  }
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before + 2);
  EXPECT_EQ(skin::DefaultManager(), nullptr);
}

}  // namespace
