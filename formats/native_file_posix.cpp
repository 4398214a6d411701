// The file operations of native_file.h on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "formats/native_file.h"

namespace corvane::formats {
namespace {

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

bool OpenDescriptor(const std::filesystem::path& path, int flags, std::intptr_t& handle, NativeFile::Kind& kind,
                    std::uint64_t& size, std::string& reason) {
  const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  struct stat status {};
  if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
    reason = std::strerror(errno);
    if (descriptor >= 0) ::close(descriptor);
    return false;
  }
  handle = descriptor;
  kind = S_ISREG(status.st_mode)   ? NativeFile::Kind::kRegular
         : S_ISDIR(status.st_mode) ? NativeFile::Kind::kDirectory
                                   : NativeFile::Kind::kOther;
  size = static_cast<std::uint64_t>(status.st_size);
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
  return OpenDescriptor(path, O_RDONLY | O_NONBLOCK, handle_, kind_, size_, reason);
}

bool NativeFile::OpenForWriting(const std::filesystem::path& path, std::string& reason) {
  std::string ignored;
  Close(ignored);
  return OpenDescriptor(path, O_WRONLY | O_CREAT, handle_, kind_, size_, reason);
}

bool NativeFile::CreateNew(const std::filesystem::path& path, std::string& reason) {
  std::string ignored;
  Close(ignored);
  return OpenDescriptor(path, O_WRONLY | O_CREAT | O_EXCL, handle_, kind_, size_, reason);
}

bool NativeFile::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t got =
        ::pread(Descriptor(handle_), out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

bool NativeFile::Write(std::span<const std::byte> bytes, std::string& reason) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(Descriptor(handle_), bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      reason = std::strerror(put < 0 ? errno : EIO);
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

bool NativeFile::Truncate(std::uint64_t length, std::string& reason) {
  if (::ftruncate(Descriptor(handle_), static_cast<off_t>(length)) == 0) return true;
  reason = std::strerror(errno);
  return false;
}

bool NativeFile::Sync(std::string& reason) {
  if (::fsync(Descriptor(handle_)) == 0) return true;
  reason = std::strerror(errno);
  return false;
}

void NativeFile::TakePermissionsOf(const std::filesystem::path& other) {
  struct stat status {};
  if (::stat(other.c_str(), &status) == 0) ::fchmod(Descriptor(handle_), status.st_mode & 07777);
}

bool NativeFile::Close(std::string& reason) {
  if (handle_ == kNoHandle) return true;
  const int result = ::close(Descriptor(handle_));
  handle_ = kNoHandle;
  size_ = 0;
  if (result == 0) return true;
  reason = std::strerror(errno);
  return false;
}

bool RenameOverFile(const std::filesystem::path& from, const std::filesystem::path& to, std::string& reason) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  reason = std::strerror(errno);
  return false;
}

std::FILE* OpenFileStream(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

}  // namespace corvane::formats
