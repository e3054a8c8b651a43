#include "services/shell/sv_strings.h"

#include <iterator>

namespace svc {

namespace {

constexpr SvStrRec kTable[] = {
    {51, "Compare property must be set"},
    {52, "An incompatible class is passed to a method"},
    {53, "Bad size parameter"},
    {54, "Attempt to add duplicate node to TSvTree"},
    {55, "Index is out of range"},
    {56, "Requires enhanced mode operation for Windows 3.1x"},
    {57, "Container class name %s read from stream is unregistered"},
    {58, "Node class name %s read from stream is unregistered"},
    {59, "Container's StoreData property is unassigned"},
    {60, "Container's LoadData property is unassigned"},
    {61, "Class name on stream differs from object's class"},
    {62, "Node class name on stream differs from object's node class"},
    {63, "Unable to assign this compare function now"},
    {64, "Cannot assign a matrix with more than 1 column to an array"},
    {65, "Can only assign a matrix to a virtual matrix if column counts are equal"},
    {66, "Can only assign a matrix to a virtual matrix if element sizes are equal"},
    {67, "Can only set Duplicates to False in an empty sorted collection"},
    {73, "Error opening file"},
    {100, "File does not contain version info"},
    {101, "Unable to read version info"},
    {110, "Operation not supported in this version of the shell"},
    {111, "No source files specified"},
    {112, "No destination files specified"},
    {113, "File mapping incomplete"},
    {114, "Format failed"},
    {115, "Format cancelled"},
    {116, "Drive cannot be formatted"},
    {117, "Invalid drive. Drive is not removable"},
    {118, "Operating system does not support tray icons"},
    {119, "Error adding tray icon"},
    {120, "Error removing tray icon"},
    {121, "Tray icon error"},
    {122, "Drop target must be a TWinControl descendant"},
    {123, "Cannot initialize COM"},
    {124, "Destination directory not specified"},
    {125, "Error creating IShellLink"},
    {126, "File is not a shortcut"},
    {127, "&Close"},
    {128, "&Restore"},
    {130, "Cannot create shortcut. Target file does not exist"},
    {131, "Cannot use file mappings in a delete operation"},
    {132, "Source file error, file not found"},
    {133, "Cannot have more than one SvTrayIcon per application"},
    {134, "The specified key cannnot be found in version info"},
    {135, "ImageList is not assigned"},
    {230, "Name"},
    {231, "Size"},
    {232, "Type"},
    {233, "Modified"},
    {234, "Attributes"},
    {235, "File Folder"},
    {236, "System Folder"},
    {237, "Original Location"},
    {238, "Date Deleted"},
    {239, "File"},
    {240, "Invalid folder"},
    {241, "Cannot create folder: Parent folder is read-only"},
    {242, "Invalid sort direction"},
    {260, "CreateFile failed"},
    {261, "CreateFileMapping failed"},
    {262, "MapViewOfFile failed"},
    {263, "Bad origin parameter for call to Seek"},
    {264, "Error reading size of existing file"},
    {270, "Buffered/text stream: Attempted to read, write, or seek and underlying stream is nil"},
    {271, "Buffered/text stream: Could not seek to the correct position in the underlying stream (for read "
          "request)"},
    {272, "Buffered/text stream: Could not seek to the correct position in the underlying stream (for write "
          "request)"},
    {273, "Buffered/text stream: Could not write the entire buffer to the underlying stream"},
    {274, "Text stream: Case statement was used with a bad value of LineTerminator"},
    {275, "Text stream: Length of a fixed line must be between 1 and 4096 bytes"},
    {276, "Buffered/text stream: Cannot set the size of the underlying stream (needs OnSetStreamSize event)"},
    {290, "Unknown error creating a pattern token"},
    {291, "Problem in expanding character class"},
    {292, "Alternation cannot immediately follow a closure marker"},
    {293, "Unbalanced nesting parentheses"},
    {294, "Closure cannot immediately follow BegOfLine, EndOfLine or another closure"},
    {295, "Error detected near end of pattern"},
    {296, "Unbalanced tag marker"},
    {297, "No Match, Replace, or SelAvoid Patterns defined"},
    {298, "Pattern exceeds MaxPatLen"},
    {299, "Input and/or output stream is not assigned"},
    {300, "Error creating internal input text stream"},
    {301, "Error creating internal output text stream"},
    {302, "A * or + operand could be empty"},
    {303, "Error deleting old previous file"},
    {304, "Input file not found"},
    {305, "Error creating internal text stream"},
    {306, "Error creating output file"},
};

}  // namespace

const SvStrRec* SvStrTable() { return kTable; }
int SvStrCount() { return static_cast<int>(std::size(kTable)); }

void SvStrById(uint32_t id, std::string& text) {
  text.clear();
  for (const SvStrRec& rec : kTable) {
    if (rec.ID == id) {
      text = rec.Str;
      return;
    }
  }
}

std::string SvStrById(uint32_t id) {
  std::string text;
  SvStrById(id, text);
  return text;
}

}  // namespace svc
