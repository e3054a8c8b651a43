// TDateTimePicker: SysDateTimePick32 showing a date or a time; DateTime reads and writes the
// control's SYSTEMTIME, OnChange follows DTN_DATETIMECHANGE. MinDate and MaxDate (0: none) limit
// what the control takes (DTM_SETRANGE).
#pragma once
#include "framework/controls/win_control.h"
#include "framework/rtl/date_time.h"

namespace fw {

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
  FW_CLASS(TDateTimePicker, TWinControl)
 public:
  explicit TDateTimePicker(TComponent* owner);

  TDateTimeKind GetKind() const { return FKind; }
  void SetKind(TDateTimeKind v);
  TDateTime GetDateTime() const;
  void SetDateTime(TDateTime v);
  // The whole-day part / the time-of-day part.
  TDateTime GetDate() const;
  void SetDate(TDateTime v);
  TDateTime GetTime() const;
  void SetTime(TDateTime v);
  TDateTime GetMinDate() const { return FMinDate; }
  void SetMinDate(TDateTime v);
  TDateTime GetMaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime v);

  TNotifyEvent OnChange;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TDateTimePicker() override = default;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();

 private:
  void ApplyRange();

  TDateTimeKind FKind = dtkDate;
  TDateTime FDateTime = 0;
  TDateTime FMinDate = 0;
  TDateTime FMaxDate = 0;
};

}  // namespace fw
