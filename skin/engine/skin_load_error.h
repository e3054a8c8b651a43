// The failure of a skin load, naming where it happened (a file, or a section and key) and why.
#pragma once
#include <string>
#include <string_view>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/wide_path.h"

namespace skin {

class ESkinLoadError : public fw::Exception {
 public:
  ESkinLoadError(const std::string& where, const std::string& cause)
      : fw::Exception(fw::DisplayPath(where) + ": " + cause), FWhere(where), FCause(cause) {}
  const std::string& GetWhere() const { return FWhere; }
  const std::string& GetCause() const { return FCause; }

 private:
  std::string FWhere;
  std::string FCause;
};

// "[SECTION] KEY", as a load error names a value of the skin file.
inline std::string SkinValuePlace(std::string_view section, std::string_view key) {
  return "[" + std::string(section) + "] " + std::string(key);
}

}  // namespace skin
