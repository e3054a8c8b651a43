// The skin file as the loaders read it: line ends, trimming and comments, the first line of a
// key and the first section of a name answering, names without regard to case, a long value read
// whole, and the byte search that passes over long values (with and without SSE2).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "framework/classes/mem_ini_file.h"
#include "framework/classes/string_list.h"
#include "skin/engine/fast_pixels.h"
#include "skin/engine/ini_view.h"
#include "skin/engine/text_scan.h"
#include "support/sandbox.h"

namespace {

using skin::TkIniView;

TkIniView ViewOfFile(const std::string& text) {
  const std::string file = testing_sandbox::TestFolder() + "Options.dat";
  testing_sandbox::WriteFile(file, text);
  return TkIniView::FromFile(file);
}

std::string ValueOr(const TkIniView& view, const std::string& section, const std::string& key) {
  const std::string_view* value = view.Value(view.IndexOf(section), key);
  return value ? std::string(*value) : "(none)";
}

// Runs check once with SSE2 and once without.
template <class Check>
void WithAndWithoutSse2(const Check& check) {
  for (bool sse2 : {true, false}) {
    SCOPED_TRACE(sse2 ? "SSE2" : "no SSE2");
    const std::optional<bool> saved = skin::testing::SetSse2(sse2);
    check();
    skin::testing::SetSse2(saved);
  }
}

TEST(SkinIniView, LinesEndAtCrLfOrBothAndAreTrimmed) {
  const TkIniView view = ViewOfFile(
      "\xEF\xBB\xBF"
      "LOOSE=before any section\r\n[A]\rONE=1\nTWO=2\r\n\r\n  THREE = 3  \r; NOTE=comment\n"
      "no equals sign\n  [B]  \r\nKEY=last line without a break");
  ASSERT_EQ(view.SectionCount(), 2);
  EXPECT_EQ(view.SectionName(0), "A");
  EXPECT_EQ(view.SectionName(1), "B");
  EXPECT_EQ(view.Entries(0).size(), 3u);
  EXPECT_EQ(ValueOr(view, "A", "ONE"), "1");
  EXPECT_EQ(ValueOr(view, "A", "TWO"), "2");
  EXPECT_EQ(ValueOr(view, "A", "THREE "), " 3");  // the line is trimmed, not its key and value
  EXPECT_EQ(ValueOr(view, "A", "NOTE"), "(none)");
  EXPECT_EQ(ValueOr(view, "B", "KEY"), "last line without a break");
  EXPECT_EQ(view.IndexOf("LOOSE"), -1);
}

TEST(SkinIniView, FirstLineOfAKeyAndFirstSectionOfANameAnswer) {
  const TkIniView view = ViewOfFile("[Sec]\nkey=1\nKEY=2\nOther=3\n[SEC]\nKEY=4\n[x]\n");
  ASSERT_EQ(view.SectionCount(), 3);
  EXPECT_EQ(view.IndexOf("sec"), 0);
  EXPECT_EQ(view.FirstOfName(1), 0);
  EXPECT_EQ(view.FirstOfName(2), 2);
  EXPECT_EQ(ValueOr(view, "SEC", "Key"), "1");
  EXPECT_EQ(view.ReadString("sec", "OTHER", "d"), "3");
  EXPECT_EQ(view.ReadString("sec", "MISSING", "d"), "d");
  EXPECT_EQ(view.ReadString("missing", "KEY", "d"), "d");
  EXPECT_EQ(view.ReadInteger("SEC", "KEY", 7), 1);
  const TkIniView::TEntries first = view.Entries("SEC");
  ASSERT_EQ(first.size(), 3u);
  EXPECT_TRUE(first[0].First);
  EXPECT_FALSE(first[1].First);
  EXPECT_TRUE(first[2].First);
  EXPECT_EQ(view.Entries(1).size(), 1u);
  EXPECT_TRUE(view.Entries("X").empty());
  EXPECT_EQ(view.Value(-1, "KEY"), nullptr);
}

TEST(SkinIniView, ManySectionsAndALongValue) {
  std::string text = "[LONG]\nVALUE=";
  for (int i = 0; i < 50000; ++i) text += "12;34;";
  const std::string value = text.substr(13);
  text += "\r\nAFTER=yes\r\n";
  for (int i = 0; i < 3000; ++i) text += "[S" + std::to_string(i) + "]\nP=" + std::to_string(i) + "\n";
  WithAndWithoutSse2([&] {
    const TkIniView view = ViewOfFile(text);
    ASSERT_EQ(view.SectionCount(), 3001);
    EXPECT_EQ(ValueOr(view, "LONG", "VALUE"), value);
    EXPECT_EQ(ValueOr(view, "LONG", "AFTER"), "yes");
    EXPECT_EQ(view.IndexOf("s2999"), 3000);
    EXPECT_EQ(ValueOr(view, "S1234", "P"), "1234");
  });
}

// The answer of ask, or none when it has not come within five seconds. An ask that never ends
// (a look-up going round a table without a free slot) is left running on its own thread, which
// holds what it reads, until the program ends.
template <class T>
std::optional<T> AnswerInTime(std::function<T()> ask) {
  auto answer = std::make_shared<std::promise<T>>();
  std::future<T> future = answer->get_future();
  std::thread([ask = std::move(ask), answer] { answer->set_value(ask()); }).detach();
  if (future.wait_for(std::chrono::seconds(5)) != std::future_status::ready) return std::nullopt;
  return future.get();
}

// Sixteen sections of one key each fill sixteen slots: the tables have room for twice as many
// names, so a look-up of a name that is not there soon meets a free slot.
TEST(SkinIniView, SixteenSectionsAnswerAMissingNameAtOnce) {
  std::string text;
  for (int i = 0; i < 16; ++i) text += "[S" + std::to_string(i) + "]\nP=" + std::to_string(i) + "\n";
  const auto view = std::make_shared<const TkIniView>(ViewOfFile(text));
  ASSERT_EQ(view->SectionCount(), 16);
  EXPECT_EQ(AnswerInTime<int>([view] { return view->IndexOf("MISSING"); }), std::optional<int>(-1));
  EXPECT_EQ(AnswerInTime<bool>([view] { return view->Value(3, "MISSING") == nullptr; }), std::optional<bool>(true));
  EXPECT_EQ(view->IndexOf("s15"), 15);
  EXPECT_EQ(ValueOr(*view, "S7", "P"), "7");
}

TEST(SkinIniView, UnreadableOrEmptyFileGivesNoSections) {
  EXPECT_EQ(TkIniView::FromFile(testing_sandbox::TestFolder() + "missing.dat").SectionCount(), 0);
  const TkIniView empty = ViewOfFile("");
  EXPECT_EQ(empty.SectionCount(), 0);
  EXPECT_EQ(empty.IndexOf("A"), -1);
}

TEST(SkinIniView, FromLinesAndFromAnIniFile) {
  fw::TStringList lines;
  lines.SetText("[A]\nK=1\n[B]\nK=2\n[a]\nK=3\n");
  const TkIniView fromLines(lines);
  EXPECT_EQ(fromLines.SectionCount(), 3);
  EXPECT_EQ(fromLines.ReadString("a", "K", ""), "1");
  fw::TMemIniFile file("");
  file.SetStrings(lines);
  const TkIniView fromFile(file);
  ASSERT_EQ(fromFile.SectionCount(), 3);
  EXPECT_EQ(fromFile.SectionName(2), "a");
  EXPECT_EQ(fromFile.ReadString("B", "K", ""), "2");
  EXPECT_EQ(fromFile.ReadString("A", "K", ""), "1");
}

TEST(SkinTextScan, FindEitherAndContainsUpper) {
  WithAndWithoutSse2([] {
    for (size_t at : {0u, 3u, 15u, 16u, 17u, 63u, 64u, 65u, 200u, 999u}) {
      std::string text(1000, 'x');
      text[at] = '\n';
      EXPECT_EQ(skin::FindEither(text, 0, '\r', '\n'), at) << at;
      EXPECT_EQ(skin::FindEither(text, at + 1, '\r', '\n'), text.size()) << at;
      text[at] = '\r';
      EXPECT_EQ(skin::FindEither(text, 0, '\r', '\n'), at) << at;
    }
    const std::string text(300, 'a');
    EXPECT_EQ(skin::FindEither(text, 0, 'b', 'c'), text.size());
    EXPECT_EQ(skin::FindEither(text, 301, 'a', 'a'), text.size());
    EXPECT_TRUE(skin::ContainsUpper(text + "Tile.jPg", ".JPG"));
    EXPECT_FALSE(skin::ContainsUpper(text + "tile.jp", ".JPG"));
    EXPECT_FALSE(skin::ContainsUpper(text + ".JP.G", ".JPG"));
    EXPECT_TRUE(skin::ContainsUpper("a..bmp", ".BMP"));
    EXPECT_FALSE(skin::ContainsUpper("", ".BMP"));
  });
}

}  // namespace
