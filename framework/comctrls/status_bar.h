// TStatusBar: msctls_statusbar32 with a collection of panels (SB_SETPARTS/SB_SETTEXTA sent to
// its own window) or one simple text, inside a frame of BorderWidth pixels. It hosts child controls (an animation, for instance).
// The window draws a panel of style psOwnerDraw through its parent's WM_DRAWITEM, which reaches
// the bar as CN_DRAWITEM: OnDrawPanel paints it on the bar's Canvas.
#pragma once
#include <memory>
#include <string>

#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"
#include "framework/core/collection.h"
#include "framework/stdctrls/text_painter.h"

namespace fw {

class TStatusBar;
class TStatusPanels;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
  FW_CLASS(TStatusPanel, TCollectionItem)
 public:
  explicit TStatusPanel(TCollection* collection);

  const std::string& GetText() const { return FText; }
  void SetText(const std::string& v);
  int GetWidth() const { return FWidth; }
  void SetWidth(int v);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TStatusPanelStyle GetStyle() const { return FStyle; }
  void SetStyle(TStatusPanelStyle v);
  TStatusPanelBevel GetBevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel v);
  void SetIndex(int index) override;

 private:
  void Changed(bool allPanels);

  std::string FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelStyle FStyle = psText;
  TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TCollection {
  FW_CLASS(TStatusPanels, TCollection)
 public:
  explicit TStatusPanels(TStatusBar* bar);
  TStatusBar* GetStatusBar() const { return FBar; }

  TStatusPanel* Add();
  TStatusPanel* Insert(int index);
  void Delete(int index);
  void Clear();
  TStatusPanel* GetItems(int index) const { return static_cast<TStatusPanel*>(TCollection::GetItems(index)); }

 private:
  TStatusBar* FBar;
};

// Paints an owner-drawn panel in Rect of StatusBar's Canvas.
using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TWinControl {
  FW_CLASS(TStatusBar, TWinControl)
 public:
  explicit TStatusBar(TComponent* owner);

  TStatusPanels* GetPanels() const { return FPanels.get(); }
  bool GetSimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool v);
  const std::string& GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& v);
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool v);
  // A frame of that many pixels around the client area (non-client).
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v);

  // Sends the panel layout and texts to the window (all of them, or one panel's text).
  void UpdatePanels(bool updateRects, bool updateText);
  void UpdatePanel(int index);
  void Dispatch(TMessage& msg) override;

  // The canvas OnDrawPanel paints on, lent the DC of the panel being drawn.
  TControlCanvas* GetCanvas() const { return FCanvas.get(); }
  TDrawPanelEvent OnDrawPanel;

 protected:
  ~TStatusBar() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // An owner-drawn panel: OnDrawPanel, when assigned.
  virtual void DrawPanel(TStatusPanel* panel, const TRect& rect);
  // DrawPanel with the canvas lent dc, in the bar's font on its colour.
  void DrawPanelOn(HDC dc, TStatusPanel* panel, const TRect& rect);

 private:
  std::unique_ptr<TStatusPanels> FPanels;
  std::unique_ptr<TControlCanvas> FCanvas;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
  int FBorderWidth = 0;
};

}  // namespace fw
