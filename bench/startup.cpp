// Benchmark: the time from starting the built program to its main window shown and idle,
// against the same for a bare window program (bench_bare_window: one class, one window) under
// the same Wine. Each is started in turn, several times, alternating; each run waits for the
// program's visible main window and for WaitForInputIdle, then closes the window and waits for
// the process to end. Prints every run, the medians and their ratio (target: at most 2.00).
//
//   bench_startup [scratch folder under C:\sandbox\]
//
// The scratch folder (default C:\sandbox\bench_startup\) receives a copy of the program with
// the skin folders the build drew, as a user unpacks it, and of the bare program; the program
// is started once first (it writes its configuration then), and the folder is removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/scratch.h"
#include "framework/win.h"
#include "tests/support/process_windows.h"

namespace {

constexpr int kRuns = 7;
constexpr DWORD kPatienceMs = 20000;

// Copies the folder from into to (both ending in a backslash), with its subfolders.
void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((from + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      CopyTree(from + name + "\\", to + name + "\\");
    else
      CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

// A main window of the process: shown, owned by no other window, of a real size.
bool IsShownMainWindow(HWND window) {
  RECT r;
  return IsWindowVisible(window) && !GetWindow(window, GW_OWNER) && GetWindowRect(window, &r) && r.right - r.left >= 100;
}

// Starts exe (in its own folder), waits for its visible main window and its first idle
// moment, closes it and waits for the process to end. Returns the milliseconds from the start
// to the window shown and idle.
double TimeOneStart(const std::string& exe, const std::string& folder) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + exe + "\"";
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    throw std::runtime_error("cannot start " + exe);
  HWND found = nullptr;
  while (!(found = testing_process::WindowOf(pi.dwProcessId, IsShownMainWindow))) {
    if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(kPatienceMs)) break;
  }
  const bool idle = found && WaitForInputIdle(pi.hProcess, kPatienceMs) == 0;
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (found) PostMessageA(found, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(pi.hProcess, kPatienceMs) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (!found || !idle) throw std::runtime_error(exe + " showed no window within the patience");
  if (!ended) throw std::runtime_error(exe + " did not end after its window was closed");
  return ms;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void PrintRuns(const char* name, const std::vector<double>& times) {
  std::printf("%s:", name);
  for (double t : times) std::printf(" %.0f", t);
  std::printf(" ms; median %.0f ms\n", Median(times));
}

}  // namespace

int Measure(const std::string& scratch) {
  const std::string program = scratch + "program\\", bare = scratch + "bare\\";
  CreateDirectoryA(program.c_str(), nullptr);
  CreateDirectoryA(bare.c_str(), nullptr);
  if (!CopyFileA("Z:\\VorletDiskCleaner.exe", (program + "VorletDiskCleaner.exe").c_str(), FALSE) ||
      !CopyFileA("Z:\\bench_bare_window.exe", (bare + "bare_window.exe").c_str(), FALSE))
    throw std::runtime_error("build the program and bench_bare_window first");
  CopyTree("Z:\\Skins\\", program + "Skins\\");

  // The first start writes the configuration; the first start of each program loads it into
  // the system's caches. Neither is counted.
  TimeOneStart(program + "VorletDiskCleaner.exe", program);
  TimeOneStart(bare + "bare_window.exe", bare);
  std::vector<double> ours, floor;
  for (int run = 0; run < kRuns; ++run) {
    ours.push_back(TimeOneStart(program + "VorletDiskCleaner.exe", program));
    floor.push_back(TimeOneStart(bare + "bare_window.exe", bare));
  }
  PrintRuns("program", ours);
  PrintRuns("bare window", floor);
  std::printf("startup ratio: %.2f (target <= 2.00)\n", Median(ours) / Median(floor));
  return 0;
}

int main(int argc, char** argv) {
  return bench::Run([&] {
    bench::TScratchFolder scratch(argc > 1 ? argv[1] : "C:\\sandbox\\bench_startup\\");
    return Measure(scratch.Path());
  });
}
