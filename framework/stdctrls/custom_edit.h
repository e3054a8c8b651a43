// TCustomEdit/TEdit/TMaskEdit: a single-line text box over the native EDIT class. Change runs
// on every EN_CHANGE; descendants add ES_* styles in CreateParams (ES_MULTILINE for memos).
#pragma once
#include "framework/controls/win_control.h"

namespace fw {

class TCustomEdit : public TWinControl {
  FW_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* owner);

  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char v);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool v) { FAutoSelect = v; }
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  int GetSelStart();
  void SetSelStart(int v);
  int GetSelLength();
  void SetSelLength(int v);
  std::string GetSelText();
  void SelectAll();
  void Clear() { SetText(""); }
  bool CanAutoSize(int& newWidth, int& newHeight) override;

  TNotifyEvent OnChange;

  void Dispatch(TMessage& msg) override;

 protected:
  ~TCustomEdit() override = default;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();

 private:
  int FMaxLength = 0;
  bool FReadOnly = false;
  char FPasswordChar = 0;
  bool FAutoSelect = true;
  TFormBorderStyle FBorderStyle = bsSingle;
};

class TEdit : public TCustomEdit {
  FW_CLASS(TEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;

 protected:
  ~TEdit() override = default;
};

// An edit box without an input mask (the program uses none).
class TMaskEdit : public TCustomEdit {
  FW_CLASS(TMaskEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;

 protected:
  ~TMaskEdit() override = default;
};

}  // namespace fw
