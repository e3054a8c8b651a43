// TScreen (the global Screen): the display's size and resolution, the cursors, and the forms
// of the program.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "framework/controls/control.h"

namespace fw {

class TCustomForm;

class TScreen : public TComponent {
  FW_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* owner);

  int GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
  int GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
  TRect GetWorkAreaRect() const;
  int GetPixelsPerInch() const { return FPixelsPerInch; }

  // A cursor other than crDefault overrides every control's cursor (crHourGlass while busy).
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor cursor);
  HCURSOR GetCursors(TCursor index) const;
  // Registers a cursor under a (positive) number; the screen does not destroy it.
  void SetCursors(TCursor index, HCURSOR cursor);
  // The handle for a cursor number, through Screen when it exists.
  static HCURSOR CursorHandle(TCursor cursor);

  int GetFormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* GetForms(int index) const { return FForms.at(index); }
  // The form whose window is the active one of the thread, or null.
  TCustomForm* GetActiveForm() const;

  // The system's menu, status (hint) and icon-title fonts, read at creation.
  TFont* GetMenuFont() const { return FMenuFont.get(); }
  TFont* GetHintFont() const { return FHintFont.get(); }
  TFont* GetIconFont() const { return FIconFont.get(); }

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);

  int FPixelsPerInch = 96;
  TCursor FCursor = crDefault;
  std::map<TCursor, HCURSOR> FCursors;
  std::vector<TCustomForm*> FForms;
  std::unique_ptr<TFont> FMenuFont = std::make_unique<TFont>();
  std::unique_ptr<TFont> FHintFont = std::make_unique<TFont>();
  std::unique_ptr<TFont> FIconFont = std::make_unique<TFont>();
};

extern TScreen* Screen;

}  // namespace fw
