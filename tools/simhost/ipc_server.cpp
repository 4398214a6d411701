// The Linux server: accepts SOCK_SEQPACKET clients, maps each client's block by name and serves it.
#include "tools/simhost/ipc_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/posix_ipc_paths.h"
#include "tools/simhost/backend_pace.h"

namespace corvane::simhost {
namespace {

using namespace corvane::simlink;

constexpr int kPollMs = 20;

// A client may shrink its block while it is mapped here; touching the lost pages raises SIGBUS. The
// handler jumps back out of the serve, and that client is dropped instead of the whole server.
sigjmp_buf g_blockFault;
volatile std::sig_atomic_t g_servingBlock = 0;

void OnBusError(int signal) {
  if (g_servingBlock != 0) siglongjmp(g_blockFault, 1);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// True when some process already answers on the path.
bool SomeoneListens(const sockaddr_un& address) {
  const int probe = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (probe < 0) return false;
  const bool answered = connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(probe);
  return answered;
}

}  // namespace

IpcServer::IpcServer(SimulatorBackend& backend) : backend_(backend) {}

IpcServer::~IpcServer() {
  for (Client& client : clients_) Disconnect(client);
  if (listener_ >= 0) {
    close(listener_);
    unlink(socketPath_.c_str());
  }
}

bool IpcServer::Listen(std::string& error) {
  struct sigaction action {};
  action.sa_handler = OnBusError;
  sigaction(SIGBUS, &action, nullptr);
  if (!EnsurePrivateFolder(SocketFolder(), error)) return false;
  socketPath_ = SocketPath(kServerClassMain);
  sockaddr_un address;
  if (!FillAddress(socketPath_, address)) {
    error = "socket path too long: " + socketPath_;
    return false;
  }
  if (SomeoneListens(address)) {
    error = "another simulator already serves " + socketPath_;
    return false;
  }
  unlink(socketPath_.c_str());  // left behind by a server that was killed
  listener_ = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (listener_ < 0 || bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      chmod(socketPath_.c_str(), 0600) != 0 || listen(listener_, 16) != 0) {
    error = "cannot listen on " + socketPath_ + ": " + std::strerror(errno);
    if (listener_ >= 0) close(listener_);
    listener_ = -1;
    return false;
  }
  return true;
}

void IpcServer::Run(bool verbose, const volatile std::sig_atomic_t& stop) {
  BackendPace pace(backend_, verbose);
  std::vector<pollfd> waiting;
  while (stop == 0) {
    waiting.assign(1, pollfd{listener_, POLLIN, 0});
    for (const Client& client : clients_) waiting.push_back(pollfd{client.socket, POLLIN, 0});
    const int ready = poll(waiting.data(), waiting.size(), kPollMs);
    if (ready < 0 && errno != EINTR) {
      std::perror("simhost: poll");
      return;
    }
    pace.Turn();
    if (ready <= 0) continue;

    // Clients first: the indices of `waiting` match `clients_` only until a new client is added.
    for (std::size_t i = 0; i < clients_.size(); ++i) {
      if (waiting[i + 1].revents == 0) continue;
      if ((waiting[i + 1].revents & POLLIN) == 0 || !HandleRequest(clients_[i])) Disconnect(clients_[i]);
    }
    std::erase_if(clients_, [](const Client& client) { return client.socket < 0; });
    if (waiting[0].revents & POLLIN) {
      const int socket = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (socket >= 0) {
        clients_.push_back(Client{socket, ++clientsSeen_, {}, nullptr});
        std::printf("simhost: client %d connected\n", clientsSeen_);
        std::fflush(stdout);
      }
    }
  }
}

bool IpcServer::HandleRequest(Client& client) {
  RequestFrame request;
  const ssize_t received = recv(client.socket, &request, sizeof request, 0);
  if (received != static_cast<ssize_t>(sizeof request) || request.magic != kRequestMagic) return false;
  ReplyFrame reply;
  reply.sequence = request.sequence;
  reply.reply = 0;
  if (request.nameLength <= kMaxBlockNameBytes && request.blockSizeBytes == kBlockSizeBytes) {
    const std::string name(request.blockName, request.nameLength);
    if (IsValidBlockName(name) && MapBlock(client, name)) {
      if (sigsetjmp(g_blockFault, 1) != 0) {
        g_servingBlock = 0;
        std::printf("simhost: client %d shrank its block while it was served\n", client.number);
        return false;
      }
      g_servingBlock = 1;
      reply.reply = backend_.ServeBlock(std::span<std::byte>(client.view, kBlockSizeBytes));
      g_servingBlock = 0;
    }
  }
  return send(client.socket, &reply, sizeof reply, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof reply);
}

bool IpcServer::MapBlock(Client& client, const std::string& blockName) {
  if (client.view != nullptr && client.blockName == blockName) return true;
  if (client.view != nullptr) munmap(client.view, kBlockSizeBytes);
  client.view = nullptr;
  client.blockName.clear();
  const int fd = shm_open(("/" + blockName).c_str(), O_RDWR | O_CLOEXEC, 0);
  if (fd < 0) return false;
  struct stat info {};
  // Only a block of this user, private to it and large enough is served.
  const bool usable = fstat(fd, &info) == 0 && info.st_uid == geteuid() && (info.st_mode & 077) == 0 &&
                      info.st_size >= static_cast<off_t>(kBlockSizeBytes);
  void* view = usable ? mmap(nullptr, kBlockSizeBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
  close(fd);
  if (view == MAP_FAILED) return false;
  client.view = static_cast<std::byte*>(view);
  client.blockName = blockName;
  return true;
}

void IpcServer::Disconnect(Client& client) {
  if (client.view != nullptr) munmap(client.view, kBlockSizeBytes);
  client.view = nullptr;
  if (client.socket >= 0) {
    close(client.socket);
    std::printf("simhost: client %d disconnected\n", client.number);
    std::fflush(stdout);
  }
  client.socket = -1;
}

}  // namespace corvane::simhost
