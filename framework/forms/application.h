// TApplication (the global Application): creates the forms, runs the message loop with the
// framework's key pre-processing and mouse tracking, and handles the exceptions that reach a
// callback. Its window is a hidden top-level window that owns no form.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/forms/application_hint.h"
#include "framework/forms/custom_form.h"
#include "framework/rtl/exceptions.h"

namespace fw {

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TModalHook = std::function<void(TCustomForm& form)>;
// Sees the messages of the application window first; true means handled.
using TWindowHook = std::function<bool(TMessage& msg)>;

class TApplication : public TComponent {
  FW_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* owner);

  void Initialize() {}
  // Creates a form owned by the application; ref is set before the form's layout and OnCreate
  // run. The first form created becomes the main form.
  template <class T>
  void CreateForm(T*& ref) {
    T* form = new T(this);
    ref = form;
    try {
      form->AfterConstruction();
    } catch (...) {
      ref = nullptr;
      form->Free();
      throw;
    }
    if (!FMainForm) {
      form->HandleNeeded();
      FMainForm = form;
    }
  }

  // Shows the main form and processes messages until the application terminates.
  void Run();
  // Waits for and handles one message (idle work first when the queue is empty).
  void HandleMessage();
  // Handles the waiting messages; stops at WM_QUIT (then Terminated is true).
  void ProcessMessages();
  // Ends the message loop (posts WM_QUIT).
  void Terminate();
  bool GetTerminated() const { return FTerminated; }

  HWND GetHandle() const { return FHandle; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& title);
  std::string GetExeName() const;
  TCustomForm* GetMainForm() const { return FMainForm; }
  // The innermost form in ShowModal, or null.
  TCustomForm* GetModalForm() const { return FModalForms.empty() ? nullptr : FModalForms.back(); }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int v) { FHintPause = v; }
  // The hint window (null until a hint was shown).
  HWND GetHintHandle() const { return FHint ? FHint->GetHandle() : nullptr; }
  void CancelHint() {
    if (FHint) FHint->Hide();
  }
  int GetHelpContext() const { return 0; }

  // Call inside a catch block: EAbort is silent, anything else goes to OnException or, by
  // default, to the dialog service.
  void HandleException(TObject* sender);
  void ShowException(const Exception& e);
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  // Pre-processes a key message for the framework control it is for; true when used up.
  bool IsKeyMsg(MSG& msg);
  // Installs a hook on the application window (the newest runs first); returns its id.
  int HookMainWindow(TWindowHook hook);
  // Removes the last hook installed.
  void UnhookMainWindow();
  // Removes the hook with that id, wherever it stands; nothing when there is none.
  void UnhookMainWindow(int id);

  TExceptionEvent OnException;
  // Test seam: called with a modal form once it is shown, from inside its modal loop.
  TModalHook ModalHook;

 protected:
  ~TApplication() override;
  void FreeHandle() override;

 private:
  friend class TCustomForm;
  bool ProcessMessage(MSG& msg);
  void Idle();
  void PostPendingReleases();
  void WndProc(TMessage& msg);

  HWND FHandle = nullptr;
  std::string FTitle;
  TCustomForm* FMainForm = nullptr;
  std::vector<TCustomForm*> FModalForms;
  std::vector<TCustomForm*> FPendingReleases;
  std::vector<std::pair<int, TWindowHook>> FHooks;
  int FNextHookId = 1;
  bool FTerminated = false;
  bool FShowHint = true;
  int FHintPause = 500;
  std::unique_ptr<TApplicationHint> FHint;
};

extern TApplication* Application;

// The window that owns the program's dialogs: the active modal form, else the main form, else
// the hidden application window.
HWND DialogOwner();

// Start-up and shut-down of the forms layer: common controls, Application and Screen, the
// exception barrier's handler. Shutdown frees the forms (owned by Application).
void StartupForms();
void ShutdownForms();

}  // namespace fw
