// Who and where the computer is: address, computer and user names, workgroup, domain, the
// registered owner and company, and the server comment.
#pragma once
#include <string>

#include "services/system/ds_info_base.h"

namespace svc {

class TDsIdentification : public TDsWriteableInfo {
  FW_CLASS(TDsIdentification, TDsWriteableInfo)
 public:
  // The first address of the computer's name (a name lookup); "" when there is none.
  std::string GetIPAddress() const;
  std::string GetLocalComputerName() const;
  std::string GetLocalUserName() const;
  std::string GetLocalWorkgroup() const;
  // The domain of the user's account.
  std::string GetDomainName() const;
  std::string GetRegisteredCompany() const;
  std::string GetRegisteredOwner() const;
  std::string GetComment() const;
};

}  // namespace svc
