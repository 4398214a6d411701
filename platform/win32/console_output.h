// What a window program has to say on its command line: a window program has no console of its own,
// so it writes to the one it was started from, and shows an error in a message box when there is none
// (started from the desktop). Also its arguments and its own file, as UTF-8 and as a path.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace corvane::platform::win32 {

void ReportToConsole(const std::string& text);
void ReportErrorToConsole(const std::string& text, const std::wstring& boxTitle);
// The command line's arguments after the program's name, as UTF-8.
std::vector<std::string> ProgramArguments();
// The running program's file.
std::filesystem::path ProgramFile();

}  // namespace corvane::platform::win32
