#include "framework/comctrls/date_time_picker.h"

#include <cmath>

#include "framework/comctrls/common_controls.h"

namespace fw {

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  FControlStyle = TControlStyle{csDoubleClicks};
  FWidth = 186;
  FHeight = 21;
  SetTabStop(true);
  // The picker draws its own text in the window's text colour, so it keeps the window's
  // background whatever its parent is painted with.
  SetParentColor(false);
  FColor = clWindow;
  FDateTime = Now();
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_DATE_CLASSES);
  TWinControl::CreateParams(params);
  CreateSubClass(params, DATETIMEPICK_CLASSA);
  params.Style |= FKind == dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
}

void TDateTimePicker::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyRange();
  SetDateTime(FDateTime);
}

void TDateTimePicker::SetMinDate(TDateTime v) {
  FMinDate = v;
  ApplyRange();
}

void TDateTimePicker::SetMaxDate(TDateTime v) {
  FMaxDate = v;
  ApplyRange();
}

void TDateTimePicker::ApplyRange() {
  if (!HandleAllocated()) return;
  SYSTEMTIME range[2] = {};
  WPARAM flags = 0;
  if (FMinDate != 0) {
    range[0] = DateTimeToSystemTime(FMinDate);
    flags |= GDTR_MIN;
  }
  if (FMaxDate != 0) {
    range[1] = DateTimeToSystemTime(FMaxDate);
    flags |= GDTR_MAX;
  }
  Perform(DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range));
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
  if (v == FKind) return;
  FDateTime = GetDateTime();
  FKind = v;
  RecreateWnd();
}

TDateTime TDateTimePicker::GetDateTime() const {
  if (!HandleAllocated()) return FDateTime;
  SYSTEMTIME st{};
  if (SendMessageA(GetHandleNoCreate(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
    return FDateTime;
  return SystemTimeToDateTime(st);
}

void TDateTimePicker::SetDateTime(TDateTime v) {
  FDateTime = v;
  if (!HandleAllocated()) return;
  SYSTEMTIME st = DateTimeToSystemTime(v);
  Perform(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

TDateTime TDateTimePicker::GetDate() const { return std::floor(GetDateTime()); }

void TDateTimePicker::SetDate(TDateTime v) { SetDateTime(std::floor(v) + GetTime()); }

TDateTime TDateTimePicker::GetTime() const {
  TDateTime dt = GetDateTime();
  return dt - std::floor(dt);
}

void TDateTimePicker::SetTime(TDateTime v) { SetDateTime(GetDate() + (v - std::floor(v))); }

void TDateTimePicker::Change() {
  if (OnChange) OnChange(this);
}

void TDateTimePicker::Dispatch(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY && NMHdr(msg)->code == DTN_DATETIMECHANGE) {
    FDateTime = GetDateTime();
    Change();
    return;
  }
  TWinControl::Dispatch(msg);
}

}  // namespace fw
