// Console output of a window program, through the parent's console when there is one.
#include "platform/win32/console_output.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
// clang-format off
#include <shellapi.h>
// clang-format on

namespace corvane::platform::win32 {
namespace {

HANDLE ConsoleHandle(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if ((handle == nullptr || handle == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    handle = GetStdHandle(which);
  }
  return handle;
}

bool WriteTo(HANDLE handle, const std::string& text) {
  DWORD written = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void ReportToConsole(const std::string& text) { WriteTo(ConsoleHandle(STD_OUTPUT_HANDLE), text); }

void ReportErrorToConsole(const std::string& text, const std::wstring& boxTitle) {
  if (WriteTo(ConsoleHandle(STD_ERROR_HANDLE), text)) return;
  MessageBoxW(nullptr, ToWide(text).c_str(), boxTitle.c_str(), MB_OK | MB_ICONERROR);
}

std::vector<std::string> ProgramArguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::filesystem::path ProgramFile() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // a long path: the call cut it off
  }
}

}  // namespace corvane::platform::win32
