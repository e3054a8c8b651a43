// TWinControl: a control with a window of its own. The window is created lazily from
// CreateParams under a window class named after ClassName() (a superclass of the native class
// for wrapped controls); its messages run through WindowProc -> WndProc -> Dispatch ->
// DefaultHandler. The parent reflects native notifications to the child as CN_* messages,
// paints its windowless children and routes the mouse to them.
#pragma once
#include <vector>

#include "framework/controls/control.h"

namespace fw {

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};
  std::string WinClassName;
  bool NativeSuperclass = false;  // set by CreateSubClass
};

class TWinControl : public TControl {
  FW_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* owner);

  // --- handle ---
  // Creates the window (and the parents' first) when needed.
  HWND GetHandle();
  HWND GetHandleNoCreate() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  void DestroyHandle();
  void RecreateWnd();
  // The class procedure this window's messages default to (the native one when superclassed).
  WNDPROC GetDefWndProc() const { return FDefWndProc; }
  // Messages of this top-level window and its children being handled right now.
  int GetDispatchDepth() const { return FDispatchDepth; }
  // The control that owns the window (null for foreign windows).
  static TWinControl* FindControl(HWND wnd);
  // The nearest framework control at or above the window (native sub-windows included).
  static TWinControl* FindOwningControl(HWND wnd);

  // --- children ---
  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControls(int index) const { return FControls.at(index); }
  bool ContainsControl(const TControl* control) const;
  // The visible (and enabled unless allowDisabled) child at a client point, topmost first;
  // windowed children only when allowWinControls.
  TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // Sends the message to every child until one answers with a non-zero Result.
  void Broadcast(TMessage& msg);

  // --- alignment ---
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  // Aligns the children again; control (when given) is the one whose change asked for it and
  // goes first among children at the same position. Deferred while this control is being read.
  void Realign(TControl* control = nullptr);
  // The area left for aligned children.
  virtual void AdjustClientRect(TRect& rect);
  TRect GetClientRect() const override;
  TPoint GetClientOrigin() const override;
  void SetBounds(int left, int top, int width, int height) override;

  // --- focus and keyboard ---
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  int GetTabOrder() const;
  void SetTabOrder(int order);
  // Windowed children in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  virtual bool CanFocus() const;
  virtual bool Focused() const;
  virtual void SetFocus();
  // The next (or previous) focusable control after current among this control's descendants.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                               bool checkParent) const;
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  // --- state ---
  std::string GetText() const override;
  void SetText(const std::string& s) override;
  void SetParent(TWinControl* parent) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
  bool GetCtl3D() const { return true; }

  // --- painting ---
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  // Paints this control (native or own painting) into the DC, then its windowless children.
  void PaintTo(HDC dc, int x, int y);
  // The brush of Color, made on demand (answers WM_CTLCOLOR*).
  HBRUSH GetBrushHandle();

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  void WndProc(TMessage& msg) override;
  void Dispatch(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;

 protected:
  ~TWinControl() override;
  void FreeHandle() override;
  void FreeParentLinks() override;
  void Loaded() override;

  virtual void CreateParams(TCreateParams& params);
  // Makes params a superclass of a native window class ("BUTTON", "SysListView32" ...).
  void CreateSubClass(TCreateParams& params, const char* nativeClass);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  // Creates the windows of the windowed children, in list order.
  virtual void CreateChildHandles();

  virtual void AlignControls(TControl* control, TRect& rect);
  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& msg);
  void PaintControls(HDC dc, TControl* first);

  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // Form preview, then KeyDown; true when the key was taken (zeroed).
  bool DoKeyDown(TMessage& msg);
  bool DoKeyUp(TMessage& msg);
  bool DoKeyPress(TMessage& msg);
  virtual void DoEnter();
  virtual void DoExit();
  // Form behaviour reached from any control through the top parent (see TCustomForm).
  virtual bool GetKeyPreview() const { return false; }
  virtual void SetFocusedControl(TWinControl*) {}
  // Moves the focus to a control of this top-level window.
  virtual void FocusControl(TWinControl* control);
  // Told when a control (or a container of it) leaves this top-level window.
  virtual void ControlRemoving(TControl*) {}
  // Told before a control of this top-level window is hidden or disabled: the focus must not
  // stay on it nor on anything inside it.
  virtual void DefocusControl(TWinControl*) {}

  void ColorChanged() override;

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  int FDispatchDepth = 0;

 private:
  friend class TControl;
  friend class TScrollingWinControl;
  friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
  void CreateHandle();
  bool UpdateBounds();
  void ReflectToChild(TMessage& msg, HWND child);
  bool RouteMouseToChild(TMessage& msg);
  void NotifyControls(UINT msg);
  // Hands the focus elsewhere before this control is hidden or disabled.
  void RemoveFocus();
  bool HandleSetCursor(TMessage& msg);
  // The parts of Dispatch; each answers true when it handled the message.
  bool ReflectNotification(TMessage& msg);    // WM_COMMAND, WM_NOTIFY ... to the child as CN_...
  bool HandleControlColor(TMessage& msg);     // CN_CTLCOLOR...: Font and Color
  bool HandlePainting(TMessage& msg);         // WM_PAINT, WM_PRINTCLIENT, WM_ERASEBKGND
  bool HandleGeometry(TMessage& msg);         // WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE
  bool HandleMouseMessage(TMessage& msg);     // WM_SETCURSOR, WM_CONTEXTMENU
  bool HandleKeyMessage(TMessage& msg);       // CN_KEY..., CN_CHAR..., CM_DIALOGKEY/CHAR
  bool HandleFrameworkMessage(TMessage& msg); // CM_FOCUSCHANGED, CM_ENTER, CM_EXIT ...
  // A navigation key (tab, arrows, Enter, Esc) the control does not want, offered to the form.
  bool OfferDialogKey(TMessage& msg);
  void FreeBrush();

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  int FAlignLevel = 0;
  HBRUSH FBrush = nullptr;
  bool FNativeClass = false;
};

}  // namespace fw
