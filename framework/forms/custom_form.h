// TCustomForm/TForm: a top-level window. A form class builds its controls in
// CreateComponents(), which runs inside the loading bracket (every component's Loaded runs at
// its end), followed by OnCreate. Release defers freeing until no handler of the form is on the
// stack; ShowModal runs its own message loop until ModalResult is set.
#pragma once
#include <memory>
#include <vector>

#include "framework/controls/control_canvas.h"
#include "framework/controls/scrolling_win_control.h"

namespace fw {

class TIcon;
class TMainMenu;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter,
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsActivated };
using TFormState = TSet<TFormStateFlag>;

class TCustomForm : public TScrollingWinControl {
  FW_CLASS(TCustomForm, TScrollingWinControl)
 public:
  // Builds a form without a layout (code-built dialogs); form classes add CreateComponents.
  explicit TCustomForm(TComponent* owner);

  void AfterConstruction() override;
  void BeforeDestruction() override;

  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition position) { FPosition = position; }
  TWindowState GetWindowState() const;
  void SetWindowState(TWindowState state);
  // fsMDIForm: the form keeps an MDI client window (GetClientHandle) where its children live;
  // fsMDIChild: the form's window is made by the application's MDI form's client. Set it
  // before the window exists.
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle style);
  TFormState GetFormState() const { return FFormState; }
  bool GetKeyPreview() const override { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // True while the form's window is the active window of the thread.
  bool GetActive() const;
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  // The menu bar; the form shows its native bar and hears of its changes (CM_MENUCHANGED).
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* menu);
  // The form's own icon (title bar, task switcher); empty: the program's icon.
  TIcon* GetIcon() const { return FIcon.get(); }
  void SetIcon(const TIcon* icon);
  // The MDI client window of an MDI form (null for other forms).
  HWND GetClientHandle() const { return FClientHandle; }
  // The MDI child the client has active, or null.
  TCustomForm* GetActiveMDIChild() const;
  // The MDI children living in this form's client, in the order they were made.
  int GetMDIChildCount() const;
  TCustomForm* GetMDIChildren(int index) const;

  TRect GetClientRect() const override;
  void SetClientWidth(int v) override;
  void SetClientHeight(int v) override;
  void SetVisible(bool v) override;
  bool IsShowing() const override { return GetVisible(); }
  void Show();
  void Hide() { SetVisible(false); }
  void SetFocus() override;

  // Asks OnCloseQuery and OnClose; the main form's close ends the application, a modal
  // form's close only sets ModalResult to mrCancel.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the message that asked for it is done (posts CM_RELEASE).
  void Release();
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  // Shows the form modally: the other windows of the thread are disabled until ModalResult
  // is set (or the application terminates: mrCancel).
  virtual TModalResult ShowModal();

  void Dispatch(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  ~TCustomForm() override;
  // The form's layout: creates the components with their names, properties and handlers.
  virtual void CreateComponents() {}
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void PaintWindow(HDC dc) override;
  void AlignControls(TControl* control, TRect& rect) override;
  void DefaultHandler(TMessage& msg) override;
  virtual void Paint();
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
  void SetFocusedControl(TWinControl* control) override;
  void FocusControl(TWinControl* control) override;
  void ControlRemoving(TControl* control) override;
  void DefocusControl(TWinControl* control) override;

 private:
  void BorderStyles(DWORD& style, DWORD& exStyle) const;
  void ApplyBorderStyles();
  void ApplyPosition();
  void CloseModal();
  void FocusActiveControl();
  void ApplyIcon();

  void CreateClientWindow();
  std::vector<TCustomForm*> MDIChildList() const;

  TFormStyle FFormStyle = fsNormal;
  HWND FClientHandle = nullptr;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  TFormState FFormState;
  bool FKeyPreview = false;
  bool FPositioned = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TModalResult FModalResult = mrNone;
  std::unique_ptr<TControlCanvas> FCanvas;
  TMainMenu* FMenu = nullptr;
  std::unique_ptr<TIcon> FIcon;
};

class TForm : public TCustomForm {
  FW_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;

 protected:
  ~TForm() override = default;
};

// The form whose client the application's MDI children live in: the main form when it is an MDI
// form, else the first MDI form of the screen; null when there is none.
TCustomForm* ApplicationMDIForm();

// The form a control sits on (its top parent), or null.
TCustomForm* GetParentForm(const TControl* control);

}  // namespace fw
