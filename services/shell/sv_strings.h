// The message table of the shell and container services: every error message and a few
// captions, looked up by a fixed numeric id, plus the texts the shell views use without one.
#pragma once
#include <cstdint>
#include <string>

namespace svc {

struct SvStrRec {
  uint32_t ID;
  const char* Str;
};

// The table, in ascending id order.
const SvStrRec* SvStrTable();
int SvStrCount();

// The text of id; an id that is not in the table leaves text empty.
void SvStrById(uint32_t id, std::string& text);
std::string SvStrById(uint32_t id);

// Texts without an id.
inline constexpr char kSvNetworkOn[] = " on ";
inline constexpr char kSvLargeIcons[] = "Lar&ge Icons";
inline constexpr char kSvSmallIcons[] = "S&mall Icons";
inline constexpr char kSvList[] = "&List";
inline constexpr char kSvDetails[] = "&Details";
inline constexpr char kSvFile[] = " file";
inline constexpr char kSvFiles[] = " files";
inline constexpr char kSvFolder[] = " folder";
inline constexpr char kSvFolders[] = " folders";
inline constexpr char kSvObjects[] = " objects";
inline constexpr char kSvShortcutTo[] = "Shortcut to ";

}  // namespace svc
