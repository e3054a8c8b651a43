// TSvDropSource: the drop source of the shell views' drags: Escape cancels, releasing the left
// button drops, the platform draws the cursors.
#pragma once
#include "services/shell/com_object.h"

namespace svc {

class TSvDropSource : public TSvComObject<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
};

}  // namespace svc
