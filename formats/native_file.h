// The few file operations where POSIX and Windows differ: positioned reads, writing over a file without
// emptying it first, cutting it to length, flushing to the disk, replacing one file by another, and
// opening C streams by a path of either width.
// One implementation per platform (native_file_posix.cpp, native_file_win32.cpp); the build picks one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

namespace corvane::formats {

class NativeFile {
 public:
  enum class Kind { kRegular, kDirectory, kOther };

  NativeFile() = default;
  ~NativeFile();
  NativeFile(const NativeFile&) = delete;
  NativeFile& operator=(const NativeFile&) = delete;

  // Read-only. Does not wait for a pipe or device that has nothing to read. A folder opens too, so
  // that the caller can tell it apart by kind().
  bool OpenForReading(const std::filesystem::path& path, std::string& reason);
  // Write-only, created when missing; an existing file keeps its bytes until Truncate.
  bool OpenForWriting(const std::filesystem::path& path, std::string& reason);
  // Write-only, and only when no file of that name exists yet.
  bool CreateNew(const std::filesystem::path& path, std::string& reason);
  bool IsOpen() const { return handle_ != kNoHandle; }
  // Kind and size as they were at opening.
  Kind kind() const { return kind_; }
  std::uint64_t size() const { return size_; }

  // Reads exactly out.size() bytes at `offset`; false on an error or an end of file before that.
  bool ReadAt(std::uint64_t offset, std::span<std::byte> out);
  // Writes all of `bytes` at the current position; false with the reason when the system refused some.
  bool Write(std::span<const std::byte> bytes, std::string& reason);
  bool Truncate(std::uint64_t length, std::string& reason);
  // Waits until what was written is on the disk.
  bool Sync(std::string& reason);
  // Gives the file the permission bits of `other`, where the system has them; quietly does nothing else.
  void TakePermissionsOf(const std::filesystem::path& other);
  // False with the reason when the system reports a failure at closing. Safe on a closed file.
  bool Close(std::string& reason);

 private:
  static constexpr std::intptr_t kNoHandle = -1;
  std::intptr_t handle_ = kNoHandle;  // a descriptor on POSIX, a HANDLE on Windows
  Kind kind_ = Kind::kOther;
  std::uint64_t size_ = 0;
};

// Renames `from` over `to` in one step, replacing a file already there; false with the reason.
bool RenameOverFile(const std::filesystem::path& from, const std::filesystem::path& to, std::string& reason);

// std::fopen for a path: wide on Windows, so that any folder name opens. Null with errno set on failure.
std::FILE* OpenFileStream(const std::filesystem::path& path, const char* mode);

}  // namespace corvane::formats
