// TCustomUpDown/TUpDown: msctls_updown32 with a 32-bit range. Associate attaches it to an edit
// box (UDS_SETBUDDYINT keeps the edit's number in step); OnClick tells which arrow was pressed.
#pragma once
#include <functional>

#include "framework/controls/win_control.h"

namespace fw {

enum TUDBtnType { btNext, btPrev };
enum TUDOrientation { udHorizontal, udVertical };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;

class TCustomUpDown : public TWinControl {
  FW_CLASS(TCustomUpDown, TWinControl)
 public:
  explicit TCustomUpDown(TComponent* owner);

  int GetMin() const { return FMin; }
  void SetMin(int v);
  int GetMax() const { return FMax; }
  void SetMax(int v);
  int GetPosition() const;
  void SetPosition(int v);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int v);
  TUDOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation v);
  TWinControl* GetAssociate() const { return FAssociate; }
  void SetAssociate(TWinControl* control);

  TUDClickEvent OnClick;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomUpDown() override = default;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void Click(TUDBtnType button);

 private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FIncrement = 1;
  TUDOrientation FOrientation = udVertical;
  TWinControl* FAssociate = nullptr;
};

class TUpDown : public TCustomUpDown {
  FW_CLASS(TUpDown, TCustomUpDown)
 public:
  using TCustomUpDown::TCustomUpDown;

 protected:
  ~TUpDown() override = default;
};

}  // namespace fw
