#include "app/shared/internet_cache.h"

#include <functional>
#include <string>
#include <vector>

#include "framework/win.h"
#include <wininet.h>

namespace app {
namespace {

// The entry type of a cookie exactly; entries of any other type count as cached files.
constexpr DWORD kCookieEntryType = 0x100000;

// Calls visit for every entry of the cache. The buffer grows to the size each entry needs.
void ForEachCacheEntry(const std::function<void(const INTERNET_CACHE_ENTRY_INFOA&)>& visit) {
  std::vector<char> buffer(sizeof(INTERNET_CACHE_ENTRY_INFOA));
  auto entry = [&buffer] { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data()); };
  auto prepare = [&](DWORD size) {
    if (size > buffer.size()) buffer.resize(size);
    entry()->dwStructSize = sizeof(INTERNET_CACHE_ENTRY_INFOA);
  };

  DWORD size = 0;
  HANDLE find = FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
  if (!find) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return;
    prepare(size);
    find = FindFirstUrlCacheEntryA(nullptr, entry(), &size);
    if (!find) return;
  }
  for (;;) {
    visit(*entry());
    size = 0;
    if (FindNextUrlCacheEntryA(find, nullptr, &size)) continue;  // cannot happen with no buffer
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    prepare(size);
    if (!FindNextUrlCacheEntryA(find, entry(), &size)) break;
  }
  FindCloseUrlCache(find);
}

}  // namespace

int64_t GetInternetCacheSize() {
  int64_t total = 0;
  ForEachCacheEntry([&total](const INTERNET_CACHE_ENTRY_INFOA& entry) {
    if (entry.CacheEntryType != kCookieEntryType) total += entry.dwSizeLow;
  });
  return total;
}

void ClearInternetCache() {
  // The addresses are collected first, so the enumeration never sees its own deletions.
  std::vector<std::string> urls;
  ForEachCacheEntry([&urls](const INTERNET_CACHE_ENTRY_INFOA& entry) {
    if (entry.CacheEntryType != kCookieEntryType && entry.lpszSourceUrlName)
      urls.emplace_back(entry.lpszSourceUrlName);
  });
  for (const std::string& url : urls) DeleteUrlCacheEntryA(url.c_str());
}

}  // namespace app
