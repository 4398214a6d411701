// The Linux transport: one SOCK_SEQPACKET connection to the server, one frame each way per batch.
#include "corvane/simlink/posix_transport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/posix_ipc_paths.h"

namespace corvane::simlink {
namespace {

int ConnectTo(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

PosixTransport::~PosixTransport() { Release(); }

ServerClass PosixTransport::FindServer() {
  Disconnect();
  serverPath_.clear();
  // A server in a folder that others could write to might be anybody's: treat it as absent.
  if (!IsPrivateFolder(SocketFolder())) return ServerClass::kNone;
  for (const auto& [name, serverClass] :
       {std::pair{kServerClassMain, ServerClass::kUipcMain}, std::pair{kServerClassFs98, ServerClass::kFs98Main}}) {
    const std::string path = SocketPath(name);
    socket_ = ConnectTo(path);
    if (socket_ >= 0) {
      serverPath_ = path;
      return serverClass;
    }
  }
  return ServerClass::kNone;
}

bool PosixTransport::RegisterMessage() { return true; }  // the frame magic plays the registered message

bool PosixTransport::AddBlockNameAtom(std::string_view blockName) {
  if (!IsValidBlockName(blockName)) return false;
  blockName_ = blockName;
  return true;
}

BlockCreation PosixTransport::CreateBlock(std::string_view blockName, std::size_t sizeBytes) {
  const std::string name = "/" + std::string(blockName);
  const int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno == EEXIST ? BlockCreation::kAlreadyExists : BlockCreation::kFailed;
  sharedMemoryName_ = name;
  sharedMemory_ = fd;
  if (ftruncate(fd, static_cast<off_t>(sizeBytes)) != 0) return BlockCreation::kFailed;
  viewBytes_ = sizeBytes;
  return BlockCreation::kCreated;
}

std::byte* PosixTransport::MapBlock() {
  if (sharedMemory_ < 0) return nullptr;
  void* view = mmap(nullptr, viewBytes_, PROT_READ | PROT_WRITE, MAP_SHARED, sharedMemory_, 0);
  if (view == MAP_FAILED) return nullptr;
  view_ = static_cast<std::byte*>(view);
  return view_;
}

bool PosixTransport::Connect() {
  if (socket_ >= 0) return true;
  if (serverPath_.empty()) return false;
  socket_ = ConnectTo(serverPath_);
  return socket_ >= 0;
}

void PosixTransport::Disconnect() {
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
}

SendOutcome PosixTransport::SendRequest(std::chrono::milliseconds timeout) {
  if (view_ == nullptr || !Connect()) return {SendStatus::kOsError, 0};
  RequestFrame request;
  request.sequence = ++sequence_;
  request.nameLength = static_cast<std::uint32_t>(blockName_.size());
  std::memcpy(request.blockName, blockName_.data(), blockName_.size());
  if (send(socket_, &request, sizeof request, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof request)) {
    Disconnect();
    return {SendStatus::kOsError, 0};
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd waiting{socket_, POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left.count() > 0 ? left.count() : 0));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0 && std::chrono::steady_clock::now() < deadline) continue;
    if (ready == 0) {
      // The reply may still come; a fresh connection keeps it from answering a later batch.
      Disconnect();
      return {SendStatus::kTimedOut, 0};
    }
    break;
  }
  ReplyFrame reply;
  const ssize_t received = recv(socket_, &reply, sizeof reply, 0);
  if (received != static_cast<ssize_t>(sizeof reply) || reply.magic != kReplyMagic ||
      reply.sequence != request.sequence) {
    // Also a server that went away (received 0) or answered something else.
    Disconnect();
    return {SendStatus::kOsError, 0};
  }
  return {SendStatus::kDelivered, reply.reply};
}

void PosixTransport::Release() {
  Disconnect();
  serverPath_.clear();
  blockName_.clear();
  if (view_ != nullptr) munmap(view_, viewBytes_);
  view_ = nullptr;
  viewBytes_ = 0;
  if (sharedMemory_ >= 0) close(sharedMemory_);
  sharedMemory_ = -1;
  if (!sharedMemoryName_.empty()) shm_unlink(sharedMemoryName_.c_str());
  sharedMemoryName_.clear();
}

std::uint32_t PosixTransport::ProcessId() { return static_cast<std::uint32_t>(getpid()); }

}  // namespace corvane::simlink
