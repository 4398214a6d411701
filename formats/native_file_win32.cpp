// The file operations of native_file.h on Windows: wide paths, positioned reads through OVERLAPPED.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "formats/native_file.h"

namespace corvane::formats {
namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// The reasons the POSIX build gives for the errors callers meet, else the system's own text.
std::string ErrorText(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return std::strerror(ENOENT);
    case ERROR_ACCESS_DENIED: return std::strerror(EACCES);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return std::strerror(ENOSPC);
    default: break;
  }
  char text[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
    message.pop_back();
  }
  return message.empty() ? "system error " + std::to_string(error) : message;
}

bool OpenHandle(const std::filesystem::path& path, DWORD access, DWORD creation, std::intptr_t& handle,
                NativeFile::Kind& kind, std::uint64_t& size, std::string& reason) {
  // Folders open only with the backup flag; the caller then sees their kind instead of a refusal.
  const HANDLE opened = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, creation, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    reason = ErrorText(GetLastError());
    return false;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileType(opened) != FILE_TYPE_DISK) {
    kind = NativeFile::Kind::kOther;
    size = 0;
  } else if (GetFileInformationByHandle(opened, &information) == 0) {
    reason = ErrorText(GetLastError());
    CloseHandle(opened);
    return false;
  } else {
    kind = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? NativeFile::Kind::kDirectory
                                                                          : NativeFile::Kind::kRegular;
    size = (static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
  }
  handle = reinterpret_cast<std::intptr_t>(opened);
  return true;
}

}  // namespace

NativeFile::~NativeFile() {
  std::string ignored;
  Close(ignored);
}

bool NativeFile::OpenForReading(const std::filesystem::path& path, std::string& reason) {
  std::string ignored;
  Close(ignored);
  return OpenHandle(path, GENERIC_READ, OPEN_EXISTING, handle_, kind_, size_, reason);
}

bool NativeFile::OpenForWriting(const std::filesystem::path& path, std::string& reason) {
  std::string ignored;
  Close(ignored);
  if (!OpenHandle(path, GENERIC_WRITE, OPEN_ALWAYS, handle_, kind_, size_, reason)) return false;
  if (kind_ != Kind::kDirectory) return true;
  Close(ignored);
  reason = std::strerror(EISDIR);
  return false;
}

bool NativeFile::CreateNew(const std::filesystem::path& path, std::string& reason) {
  std::string ignored;
  Close(ignored);
  return OpenHandle(path, GENERIC_WRITE, CREATE_NEW, handle_, kind_, size_, reason);
}

bool NativeFile::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
  std::size_t done = 0;
  while (done < out.size()) {
    const std::uint64_t at = offset + done;
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(at);
    position.OffsetHigh = static_cast<DWORD>(at >> 32);
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
    DWORD got = 0;
    if (ReadFile(Handle(handle_), out.data() + done, asked, &got, &position) == 0 || got == 0) return false;
    done += got;
  }
  return true;
}

bool NativeFile::Write(std::span<const std::byte> bytes, std::string& reason) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD put = 0;
    if (WriteFile(Handle(handle_), bytes.data() + done, asked, &put, nullptr) == 0 || put == 0) {
      reason = ErrorText(GetLastError());
      return false;
    }
    done += put;
  }
  return true;
}

bool NativeFile::Truncate(std::uint64_t length, std::string& reason) {
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(length);
  if (SetFilePointerEx(Handle(handle_), end, nullptr, FILE_BEGIN) != 0 && SetEndOfFile(Handle(handle_)) != 0) {
    return true;
  }
  reason = ErrorText(GetLastError());
  return false;
}

bool NativeFile::Sync(std::string& reason) {
  if (FlushFileBuffers(Handle(handle_)) != 0) return true;
  reason = ErrorText(GetLastError());
  return false;
}

// Windows keeps no permission bits worth carrying over; the new file takes its folder's rights.
void NativeFile::TakePermissionsOf(const std::filesystem::path&) {}

bool NativeFile::Close(std::string& reason) {
  if (handle_ == kNoHandle) return true;
  const BOOL closed = CloseHandle(Handle(handle_));
  handle_ = kNoHandle;
  size_ = 0;
  if (closed != 0) return true;
  reason = ErrorText(GetLastError());
  return false;
}

bool RenameOverFile(const std::filesystem::path& from, const std::filesystem::path& to, std::string& reason) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) return true;
  reason = ErrorText(GetLastError());
  return false;
}

std::FILE* OpenFileStream(const std::filesystem::path& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
}

}  // namespace corvane::formats
