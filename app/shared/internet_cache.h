// The WinINet URL cache (the browser's temporary internet files): its size and its clearing.
// Cookie entries are neither counted nor removed.
#pragma once
#include <cstdint>

namespace app {

// Sum of the sizes (low 32 bits each) of every cache entry that is not a cookie; 0 when the
// cache is empty or cannot be read.
int64_t GetInternetCacheSize();

// Deletes every cache entry that is not a cookie. Entries that cannot be deleted stay.
void ClearInternetCache();

}  // namespace app
