// Command lines of startup entries and uninstallers: splitting one into the program and its
// parameters for display and storage, and starting one safely.
#pragma once
#include <string>

namespace app {

struct TCommandParts {
  std::string Path;
  std::string Parameters;
};

// The program path and the parameters of a command, both trimmed, as the Startup manager shows
// and stores them:
// - a command beginning with a double quote: the text up to the next double quote is the path,
//   the rest the parameters; without a closing quote the path is empty and the rest, after
//   the opening quote, is the parameters;
// - otherwise the first blank-delimited prefix that names an existing file as the system's own
//   program search finds it (after expanding %NAME% references when expand), else the text up
//   to and including the first name ending in .exe, .com, .bat or .cmd that is followed by a
//   blank or the end, else the whole command.
TCommandParts SplitCommand(const std::string& command, bool expand);

// True when text holds a %NAME% reference.
bool HasEnvironmentReference(const std::string& text);
// text with its %NAME% references expanded (unknown ones stay as written).
std::string ExpandEnvironment(const std::string& text);

// The program a command starts, as a full path of an existing file ("" when there is none), and
// the arguments after it. %NAME% references are expanded first. A quoted command names the
// quoted path; an unquoted one is cut after the first name ending in .exe, .com, .bat or .cmd
// that is followed by a blank or the end (shorter pieces are never tried), or is taken whole.
// A bare file name is looked up in the system folder, the Windows folder, then the absolute
// folders of PATH; never in the current folder, and relative paths are refused.
std::string FindCommandProgram(const std::string& command, std::string& arguments);

// Starts the program FindCommandProgram finds, with its full path as the application name and
// the quoted path and the arguments as the command line, without waiting for it; a batch file
// (.bat, .cmd) runs in the system folder's cmd.exe, started the same way. False, and
// nothing started, when there is no such program or it could not be started.
bool RunProgramCommand(const std::string& command);

}  // namespace app
