// Builds version-information blocks byte by byte, for tests that need blocks no file here
// carries: 32-bit nodes carry UTF-16 keys and a type word, 16-bit nodes ANSI keys.
#pragma once
#include <string>
#include <vector>

#include "framework/win.h"

class TBlockBuilder {
 public:
  explicit TBlockBuilder(bool wide) : FWide(wide) {}

  std::string Node(const std::string& key, const std::string& value, bool text,
                   const std::vector<std::string>& children = {}) const {
    std::string body = Encode(key);
    Pad(body, FWide ? 6 : 4);
    WORD valueLength = 0;
    if (text && !value.empty()) {
      body += Encode(value);
      valueLength = static_cast<WORD>(FWide ? value.size() + 1 : value.size() + 1);
    } else {
      body += value;
      valueLength = static_cast<WORD>(value.size());
    }
    Pad(body, FWide ? 6 : 4);
    for (const std::string& child : children) {
      body += child;
      Pad(body, FWide ? 6 : 4);
    }
    std::string node;
    AddWord(node, static_cast<WORD>(body.size() + (FWide ? 6 : 4)));
    AddWord(node, valueLength);
    if (FWide) AddWord(node, text ? 1 : 0);
    return node + body;
  }

  static std::string Fixed(DWORD signature, DWORD flags, DWORD mask) {
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = signature;
    fixed.dwStrucVersion = 0x10000;
    fixed.dwFileVersionMS = 0x00020002;
    fixed.dwFileVersionLS = 0x00000007;
    fixed.dwFileFlags = flags;
    fixed.dwFileFlagsMask = mask;
    return std::string(reinterpret_cast<const char*>(&fixed), sizeof fixed);
  }

 private:
  std::string Encode(const std::string& text) const {
    std::string bytes;
    for (char c : text) {
      bytes += c;
      if (FWide) bytes += '\0';
    }
    bytes.append(FWide ? 2 : 1, '\0');
    return bytes;
  }
  static void AddWord(std::string& s, WORD w) { s.append(reinterpret_cast<const char*>(&w), 2); }
  // Pads the body so that header + body ends on a 4-byte boundary.
  static void Pad(std::string& body, size_t header) {
    while ((header + body.size()) % 4) body += '\0';
  }

  bool FWide;
};

