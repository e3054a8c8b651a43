// TkSplitter: the skinned splitter. For now it draws and behaves as the framework's control.
#pragma once
#include "framework/extctrls/splitter.h"

namespace skin {

class TkSplitter : public fw::TSplitter {
  FW_CLASS(TkSplitter, fw::TSplitter)
 public:
  explicit TkSplitter(fw::TComponent* owner);

 protected:
  ~TkSplitter() override = default;
};

}  // namespace skin
