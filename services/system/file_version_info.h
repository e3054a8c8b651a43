// The version-information block of a file: its fixed part, file flags, translations and the
// "name=value" items of each string table, for both 32-bit (wide) and 16-bit (ANSI) blocks.
#pragma once
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/sets.h"
#include "framework/classes/string_list.h"
#include "framework/win.h"
#include "services/search/wildcard_match.h"

namespace svc {

FW_EXCEPTION(EUtFileVersionInfoError, EUtError)

enum TUtFileFlag { ffDebug, ffInfoInferred, ffPatched, ffPreRelease, ffPrivateBuild, ffSpecialBuild };
using TUtFileFlags = fw::TSet<TUtFileFlag>;

struct TUtLangIdRec {
  WORD LangId = 0;
  WORD CodePage = 0;
};

// Raw block bytes, as GetFileVersionInfoA delivers them.
struct TUtVersionBlock {
  std::string Data;
};

class TUtFileVersionInfo : public fw::TObject {
  FW_CLASS(TUtFileVersionInfo, fw::TObject)
 public:
  // Reads the file's block: none raises EUtFileVersionInfoError, a failed read the OS error.
  explicit TUtFileVersionInfo(const std::string& fileName);
  explicit TUtFileVersionInfo(TUtVersionBlock block);

  // The fixed part, or nullptr when the block has none.
  const VS_FIXEDFILEINFO* GetFixedInfo() const;
  TUtFileFlags GetFileFlags() const { return FFileFlags; }

  // The pairs of "VarFileInfo\Translation".
  int GetTranslationCount() const { return static_cast<int>(FTranslations.size()); }
  TUtLangIdRec GetTranslations(int index) const;

  // The string tables; the items and key lookups use the current one.
  int GetLanguageCount() const { return static_cast<int>(FTables.size()); }
  TUtLangIdRec GetLanguages(int index) const;
  int GetLanguageIndex() const { return FLanguageIndex; }
  void SetLanguageIndex(int index);
  // "name=value" lines of the current string table (empty when the block has none).
  const fw::TStringList& GetItems() const;
  std::string GetKeyValue(const std::string& name) const;

 protected:
  ~TUtFileVersionInfo() override = default;

 private:
  struct TStringTable {
    TUtLangIdRec Language;
    fw::TStringList Items;
  };

  void Parse();

  std::string FBlock;
  int FFixedOffset = -1;
  TUtFileFlags FFileFlags;
  std::vector<TUtLangIdRec> FTranslations;
  std::vector<std::unique_ptr<TStringTable>> FTables;
  int FLanguageIndex = 0;
  fw::TStringList FNoItems;
};

// True when the file's version block can be sized and read.
bool FileVersionInfoExists(const std::string& fileName);
// Copies the fixed part of the file's version block; false when there is none.
bool FixedFileVersion(const std::string& fileName, VS_FIXEDFILEINFO& info);

}  // namespace svc
