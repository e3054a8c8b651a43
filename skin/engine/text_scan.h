// Searching the text of a skin file, whose values may be hundreds of kilobytes long: bytes are
// looked for sixteen at a time (with SSE2) or four at a time, so a long value is passed over at a
// fraction of a byte-by-byte search's cost.
#pragma once
#include <cstddef>
#include <string_view>

namespace skin {

// The position of the first byte at or after from that is a or b; text.size() when none.
size_t FindEither(std::string_view text, size_t from, char a, char b);
// Whether text holds word (written in capitals) without regard to ASCII case, as the
// upper-cased text would.
bool ContainsUpper(std::string_view text, std::string_view word);

}  // namespace skin
