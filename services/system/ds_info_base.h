// The bases of the system-information objects, the read-only rule and its exception.
#pragma once
#include "framework/core/object.h"
#include "framework/rtl/exceptions.h"

namespace svc {

class EDsComputerInfoEx : public fw::Exception {
 public:
  using fw::Exception::Exception;
};

// Whether the last system-information component made was made in a designer; set by every
// construction of a TDsComputerInfoEx.
extern bool DesignMode;

// Raises EDsComputerInfoEx "This value is read-only and cannot be changed." when flag is set or
// when not in design mode; so at run time every caller fails.
void RaiseReadOnly(bool flag);

class TDsReadOnlyInfo : public fw::TPersistent {
  FW_CLASS(TDsReadOnlyInfo, fw::TPersistent)
};

class TDsWriteableInfo : public fw::TPersistent {
  FW_CLASS(TDsWriteableInfo, fw::TPersistent)
 public:
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  // The read-only rule of every setter: true when the write may reach the system; raises
  // through RaiseReadOnly when the object is read-only, and answers false in the designer.
  bool CanWrite() const;

 private:
  bool FReadOnly = true;
};

}  // namespace svc
