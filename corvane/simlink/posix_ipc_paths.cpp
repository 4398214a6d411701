// Socket folder of the Linux transport (POSIX only).
#include "corvane/simlink/posix_ipc_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "corvane/simlink/ipc_wire.h"

namespace corvane::simlink {

std::string SocketFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/" + std::string(kSocketFolderName);
  return "/tmp/" + std::string(kSocketFolderName) + "-" + std::to_string(getuid());
}

std::string SocketPath(std::string_view serverClass) { return SocketFolder() + "/" + std::string(serverClass); }

bool IsPrivateFolder(const std::string& folder) {
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

bool EnsurePrivateFolder(const std::string& folder, std::string& error) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    error = "cannot create " + folder + ": " + std::strerror(errno);
    return false;
  }
  if (!IsPrivateFolder(folder)) {
    error = folder + " is not a folder private to this user (owner and mode 0700 expected)";
    return false;
  }
  return true;
}

}  // namespace corvane::simlink
