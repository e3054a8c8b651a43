#include "app/shared/startup_toggle.h"

#include "app/shared/command_line.h"
#include "app/shared/config_files.h"
#include "app/shared/run_key.h"
#include "app/shared/startup_store.h"
#include "app/shared/wide_text.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/file_utils.h"
#include "framework/rtl/sys_utils.h"

namespace app {

namespace {

bool Fail(std::string& reason, const std::string& text) {
  reason = text;
  return false;
}

bool Fail(std::string& reason, const std::string& text, LONG code) {
  return Fail(reason, text + ": " + RegistryErrorText(code));
}

std::string StringData(const std::string& text) {
  std::wstring wide = Widen(text);
  return std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t));
}

// A record is written back only for the value of its line, and only as a string.
bool RecordFits(const TRunValue& record, const std::string& line) {
  std::string name, path, parameters;
  ReadStoreLine(line, name, path, parameters);
  return IsStringValue(record) && fw::AnsiSameText(Narrow(record.Name), name);
}

bool FileThere(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool DisableRegistryStartup(const std::string& appDir, HKEY hive, const std::string& keyPath,
                            const std::string& name, const std::string& path, const std::string& parameters,
                            const std::string& storeName, std::string& reason) {
  EnsureConfigFolders(appDir);
  EnsureDisabledRegistryFiles(appDir);
  if (storeName.empty()) return Fail(reason, "This key has no store of disabled entries");
  if (!StoreLineReadsBack(name, path, parameters))
    return Fail(reason, "The name or the command holds \"<>\" or a line break");
  TRunKey key(hive, keyPath);
  LONG result = key.OpenForWrite(false);
  if (result != ERROR_SUCCESS) return Fail(reason, "The key can not be opened", result);
  TRunValue value;
  result = key.ReadValue(Widen(name), value);
  if (result != ERROR_SUCCESS) return Fail(reason, "The value is not in its key", result);
  if (!IsStringValue(value)) return Fail(reason, "The value is not a string");

  TDisabledStore store(appDir, storeName);
  if (!store.Load(reason)) return false;
  std::string line = StoreLine(name, path, parameters);
  store.AddLine(line);
  store.SetRecord(line, value);
  if (!store.Save(reason)) return false;
  result = key.DeleteValue(value.Name);
  if (result == ERROR_SUCCESS) return true;
  std::string ignored;
  store.Restore(ignored);
  return Fail(reason, "The value can not be deleted", result);
}

bool EnableRegistryStartup(const std::string& appDir, HKEY hive, const std::string& keyPath,
                           const std::string& name, const std::string& path, const std::string& parameters,
                           std::string& reason) {
  EnsureConfigFolders(appDir);
  EnsureDisabledRegistryFiles(appDir);
  std::string storeName = StoreName(HiveName(hive), RunKeyIndex(keyPath));
  if (storeName.empty()) return Fail(reason, "This key has no store of disabled entries");
  TDisabledStore store(appDir, storeName);
  if (!store.Load(reason)) return false;
  int index = store.FindEntry(name, path, parameters);
  std::string line = index >= 0 ? store.Line(index) : StoreLine(name, path, parameters);
  TRunValue value;
  const TRunValue* record = store.FindRecord(line);
  if (record && RecordFits(*record, line)) {
    value = *record;
  } else {
    value.Name = Widen(name);
    value.Type = HasEnvironmentReference(path) ? REG_EXPAND_SZ : REG_SZ;
    value.Data = StringData("\"" + path + "\"" + (parameters.empty() ? "" : " " + parameters));
  }

  TRunKey key(hive, keyPath);
  LONG result = key.OpenForWrite(true);
  if (result != ERROR_SUCCESS) return Fail(reason, "The key can not be opened", result);
  if (key.ValueExists(value.Name)) return Fail(reason, "The key already holds a value of this name");
  result = key.WriteValue(value);
  if (result != ERROR_SUCCESS) {
    key.DeleteIfCreated();
    return Fail(reason, "The value can not be written", result);
  }
  TRunValue written;
  bool same = key.ReadValue(value.Name, written) == ERROR_SUCCESS && written.Type == value.Type &&
              written.Data == value.Data;
  if (same) {
    if (index >= 0) store.DeleteLine(index);
    store.DeleteRecord(line);
    if (store.Save(reason)) return true;
  } else {
    reason = "The value does not read back as written";
  }
  key.DeleteValue(value.Name);
  key.DeleteIfCreated();
  return false;
}

std::string FreeShortcutCaption(const std::string& folder, const std::string& caption) {
  std::string candidate = caption;
  for (int n = 2; FileThere(folder + "\\" + candidate + ".lnk"); ++n) candidate = caption + " (" + std::to_string(n) + ")";
  return candidate;
}

bool MoveStartupShortcut(svc::TDsSHFileOperation* fo, const std::string& source, const std::string& folder,
                         std::string& caption, std::string& reason) {
  if (!FileThere(source)) return Fail(reason, "The shortcut is not in " + fw::ExtractFileDir(source));
  std::string freeCaption = FreeShortcutCaption(folder, caption);
  std::string target = folder + "\\" + freeCaption + ".lnk";
  fo->GetDestFiles()->Clear();
  fo->GetSourceFiles()->Clear();
  fo->GetSourceFiles()->Add(source);
  fo->GetDestFiles()->Add(target);
  fo->SetOperation(svc::foMove);
  fo->SetOptions(svc::TDsSHFileOptions{svc::fofNoConfirmation, svc::fofNoConfirmMkDir, svc::fofSilent,
                                       svc::fofNoErrorUI, svc::fofMultiDestFiles, svc::fofFilesOnly});
  bool executed = false;
  try {
    executed = fo->Execute();
  } catch (const fw::Exception& e) {
    reason = e.what();
  }
  bool sourceGone = !FileThere(source), targetThere = FileThere(target);
  if (executed && sourceGone && targetThere) {
    caption = freeCaption;
    return true;
  }
  if (!sourceGone && targetThere) DeleteFileW(Widen(target).c_str());
  if (reason.empty()) reason = "The shortcut can not be moved to " + folder;
  return false;
}

}  // namespace app
