// The stores of disabled registry startup entries: one text file per hive and run key under
// "config\Disabled Registry\", one line per disabled value (name, "<>" and a double quote, the
// program path, a double quote and "<>", the parameters), and beside each store its record file
// ("<store>.raw") that keeps every disabled value exactly as it was in its key, so enabling
// writes back the same name, type and bytes. See docs/ARCHITECTURE.md for the record format.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/shared/run_key.h"
#include "framework/classes/string_list.h"

namespace app {

// The store of a hive ("HKLM"/"HKCU") and run key index, relative to the program folder and
// beginning with a backslash ("\config\Disabled Registry\allRun.ini"); "" for the user's
// RunServicesOnce key, which has no store.
std::string StoreName(const std::string& hiveName, int runKey);

// The store line of an entry.
std::string StoreLine(const std::string& name, const std::string& path, const std::string& parameters);
// The parts of a store line as the listing reads them: the name before the first "<>" (the
// whole line when there is none), the path between the separators and the parameters after
// them; a part that cannot be worked out is empty.
void ReadStoreLine(const std::string& line, std::string& name, std::string& path, std::string& parameters);
// True when the store line of these parts holds no line break and reads back to the same parts.
bool StoreLineReadsBack(const std::string& name, const std::string& path, const std::string& parameters);

// One record line: the type in decimal, TAB, the value name as hexadecimal of its UTF-16LE
// bytes, TAB, the data as hexadecimal of its exact bytes, TAB, the store line.
std::string RecordLine(const TRunValue& value, const std::string& storeLine);
bool ReadRecordLine(const std::string& text, TRunValue& value, std::string& storeLine);

// One store and its record file, loaded whole, changed in memory and saved back; what was
// loaded can be written back to undo a save.
class TDisabledStore {
 public:
  TDisabledStore(const std::string& appDir, const std::string& storeName);

  // False (with the reason) when the store cannot be read; a missing record file reads empty.
  bool Load(std::string& reason);
  // The index of the line of an entry: the line itself (case ignored), else the first line
  // that reads as these parts (case ignored); -1 when none.
  int FindEntry(const std::string& name, const std::string& path, const std::string& parameters) const;
  int LineCount() const { return FLines->GetCount(); }
  std::string Line(int index) const;
  // Appends the line unless the store holds it already.
  void AddLine(const std::string& line);
  void DeleteLine(int index);
  // The record of a store line (case ignored); null when it has none.
  const TRunValue* FindRecord(const std::string& line) const;
  // Sets the record of a line, replacing one it had.
  void SetRecord(const std::string& line, const TRunValue& value);
  void DeleteRecord(const std::string& line);

  // Writes the record file and the store, each whole into a temporary file beside it, then puts
  // them in place, the record file first; when any step fails both files stay as they were (a
  // record file put in place gets its loaded contents back). False with the reason when
  // anything failed.
  bool Save(std::string& reason);
  // Writes back the contents as loaded (to undo a Save); false when that failed too.
  bool Restore(std::string& reason);

 private:
  struct TRecord {
    std::string Line;
    TRunValue Value;
    std::string Text;  // the line as read, kept as it is when it cannot be read
  };
  int RecordIndex(const std::string& line) const;
  // The record file as loaded: its contents back, or removed when there was none.
  bool PutBackRecords(std::string& reason);

  std::string FStorePath;
  std::string FRecordPath;
  std::unique_ptr<fw::TStringList> FLines;
  std::vector<TRecord> FRecords;
  std::string FLoadedStore;
  std::string FLoadedRecords;
  bool FHadRecordFile = false;
};

namespace testing {
// The calls that save a store or record file: create the temporary file, write, flush, and move
// it over the old file. Each answers as the system call it stands for (a failure sets the last
// error); the base class makes the system's own calls, so a test derives and makes one fail.
class TStoreFileCalls {
 public:
  virtual ~TStoreFileCalls() = default;
  virtual HANDLE Create(const wchar_t* path);
  virtual BOOL Write(HANDLE file, const void* data, DWORD size, DWORD* written);
  virtual BOOL Flush(HANDLE file);
  virtual BOOL Move(const wchar_t* from, const wchar_t* to);
};
// Takes calls owned by the caller (null: the system's) and returns the previous ones.
TStoreFileCalls* SetStoreFileCalls(TStoreFileCalls* calls);
}  // namespace testing

}  // namespace app
