// Watches from a thread of its own for a question the shell asks on this process's GUI thread
// (a dialog box of the shell, class "#32770", such as "... can't be sent to Trash. Do you want
// to delete it instead?"), notes what it says, its owner and whether a given window was enabled
// while it was up, and answers it with a button (No by default; Cancel when it has no No), so
// that the shell's call returns. It answers every such question until it goes. At the end,
// ExpectQuestionOwnedBy: the question asked about a file another process holds open.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "framework/rtl/file_utils.h"
#include "framework/rtl/wide_text.h"
#include "framework/win.h"
#include "support/holding_process.h"
#include "support/process_windows.h"

namespace testing_support {

class TShellQuestionWatch {
 public:
  struct TSeen {
    int Count = 0;
    std::string Caption;
    std::string Text;  // the texts of its static controls, or the text Wine's shell paints
    HWND Owner = nullptr;
    bool WindowEnabled = true;  // whether the watched window was enabled while the question was up
  };

  explicit TShellQuestionWatch(HWND window, int answer = IDNO)
      : FWindow(window), FAnswer(answer), FThread([this] { Watch(); }) {}
  ~TShellQuestionWatch() {
    FStop = true;
    FThread.join();
  }
  TShellQuestionWatch(const TShellQuestionWatch&) = delete;
  TShellQuestionWatch& operator=(const TShellQuestionWatch&) = delete;

  // What the first question said and showed (Count: how many were answered).
  TSeen Seen() {
    std::lock_guard<std::mutex> lock(FLock);
    return FSeen;
  }

 private:
  static std::string TextOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return fw::WideToUtf8(text);
  }
  static BOOL CALLBACK AddStatic(HWND child, LPARAM data) {
    if (testing_process::ClassOf(child) == "Static") {
      std::string& all = *reinterpret_cast<std::string*>(data);
      std::string text = TextOf(child);
      if (!text.empty()) all += (all.empty() ? "" : "\n") + text;
    }
    return TRUE;
  }

  void Watch() {
    HWND answered = nullptr;
    while (!FStop) {
      if (answered && !IsWindow(answered)) answered = nullptr;
      HWND question = testing_process::WindowOf(GetCurrentProcessId(), [&](HWND window) {
        return window != answered && IsWindowVisible(window) && testing_process::ClassOf(window) == "#32770";
      });
      if (!question) {
        Sleep(20);
        continue;
      }
      // A moment's margin, so that whatever the shell does around showing its dialog is done.
      Sleep(100);
      TSeen seen;
      seen.Caption = TextOf(question);
      EnumChildWindows(question, AddStatic, reinterpret_cast<LPARAM>(&seen.Text));
      // Wine's shell paints its question's text itself, from a property of the dialog.
      if (auto* painted = static_cast<const wchar_t*>(GetPropW(question, L"WINE_CONFIRM")))
        seen.Text += (seen.Text.empty() ? "" : "\n") + fw::WideToUtf8(painted);
      seen.Owner = GetWindow(question, GW_OWNER);
      seen.WindowEnabled = IsWindowEnabled(FWindow) != FALSE;
      {
        std::lock_guard<std::mutex> lock(FLock);
        seen.Count = FSeen.Count + 1;
        if (FSeen.Count == 0)
          FSeen = seen;
        else
          FSeen.Count = seen.Count;
      }
      int button = GetDlgItem(question, FAnswer) ? FAnswer : IDCANCEL;
      PostMessageW(question, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(question, button)));
      answered = question;
    }
  }

  HWND FWindow;
  int FAnswer;
  std::atomic<bool> FStop{false};
  std::mutex FLock;
  TSeen FSeen;
  std::thread FThread;
};

// Runs act while another process holds the file path open and a watch answers No to what the
// shell asks; then checks that the shell asked about path exactly once, that window was the
// question's owner and disabled while it was up, and that it is enabled again.
inline void ExpectQuestionOwnedBy(HWND window, const std::string& path, const std::function<void()>& act) {
  TShellQuestionWatch::TSeen seen;
  {
    THoldingProcess holder(path);
    ASSERT_TRUE(holder.Held());
    TShellQuestionWatch watch(window);
    act();
    seen = watch.Seen();
  }
  ASSERT_EQ(seen.Count, 1) << "the shell asked no question, or more than one";
  EXPECT_NE(seen.Text.find(fw::ExtractFileName(path)), std::string::npos) << seen.Caption << ": " << seen.Text;
  EXPECT_EQ(seen.Owner, window) << "the shell's question has no owner";
  EXPECT_FALSE(seen.WindowEnabled) << "the window stayed enabled behind the shell's question";
  EXPECT_TRUE(IsWindowEnabled(window)) << "the window must be enabled again";
}

}  // namespace testing_support
