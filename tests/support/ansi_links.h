// Links written and read by an ordinary program: ansi_link_tool.exe (beside the test program),
// built without the program's manifest, so it runs in the prefix's ANSI code page, 1252, as an
// installer or any program without that manifest does. Such a program's link keeps its target's
// path text in code page 1252; the item ID list beside it keeps every name whole.
#pragma once
#include <string>

namespace testing_support {

enum class TAnsiLinkCall {
  Narrow,  // IShellLinkA: the text in the ANSI code page
  Wide,    // IShellLinkW
};

// Writes link (a name the plain file calls take) to target through the given interface, as the
// ordinary program does; fails the test when it cannot.
void WriteAnsiLink(const std::string& link, const std::string& target, TAnsiLinkCall call);

// The target the ordinary program reads from link's item ID list (SHGetPathFromIDListW); "" (and a
// test failure) when it cannot.
std::string ReadAnsiLink(const std::string& link);

// Takes the item ID list out of a link file, as a link made by a program that stores none has it:
// then only the path text, in its writer's code page, names the target.
void DropItemIdList(const std::string& link);

}  // namespace testing_support
