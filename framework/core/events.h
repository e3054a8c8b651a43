// Event types: std::function members with the sender first and var parameters as references.
// An event is "assigned" when it converts to true. Bind makes a handler from a member function.
#pragma once
#include "framework/win.h"

#include <functional>
#include <utility>

#include "framework/core/sets.h"

namespace fw {

class TObject;
class TFrame;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCreateFrameEvent = std::function<void(TObject* Sender, TFrame*& Frame)>;

// Bind(this, &TMainForm::ButtonClick) gives a callable for any event whose parameters match.
template <class C, class R, class... A>
auto Bind(C* obj, R (C::*method)(A...)) {
  return [obj, method](A... args) -> R { return (obj->*method)(std::forward<A>(args)...); };
}

template <class C, class R, class... A>
auto Bind(const C* obj, R (C::*method)(A...) const) {
  return [obj, method](A... args) -> R { return (obj->*method)(std::forward<A>(args)...); };
}

}  // namespace fw
