#include "tools/simhost/property_connection.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvane::simhost {
namespace {

int MillisecondsUntil(PropertyConnection::Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - PropertyConnection::Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// A non-blocking connect that gives up at the deadline.
int ConnectOne(const addrinfo& address, PropertyConnection::Clock::time_point deadline) {
  const int fd = socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, address.ai_protocol);
  if (fd < 0) return -1;
  if (connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
    pollfd waiting{fd, POLLOUT, 0};
    int failure = 0;
    socklen_t size = sizeof failure;
    if (errno != EINPROGRESS || poll(&waiting, 1, MillisecondsUntil(deadline)) != 1 ||
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &size) != 0 || failure != 0) {
      close(fd);
      return -1;
    }
  }
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);  // a batch of requests goes out at once
  return fd;
}

}  // namespace

bool PropertyConnection::Connect(const std::string& host, int port, std::chrono::milliseconds timeout,
                                 std::string& error) {
  Close();
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* addresses = nullptr;
  const std::string service = std::to_string(port);
  if (const int failure = getaddrinfo(host.c_str(), service.c_str(), &hints, &addresses); failure != 0) {
    error = host + ": " + gai_strerror(failure);
    return false;
  }
  const Clock::time_point deadline = Clock::now() + timeout;
  for (const addrinfo* address = addresses; address != nullptr && socket_ < 0; address = address->ai_next)
    socket_ = ConnectOne(*address, deadline);
  freeaddrinfo(addresses);
  if (socket_ < 0) error = "nothing answers on " + host + ":" + service;
  return socket_ >= 0;
}

void PropertyConnection::Close() {
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
  received_.clear();
}

bool PropertyConnection::Send(std::string_view text) {
  while (!text.empty() && socket_ >= 0) {
    const ssize_t sent = send(socket_, text.data(), text.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      text.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
      pollfd waiting{socket_, POLLOUT, 0};
      if (poll(&waiting, 1, 1000) == 1) continue;
    }
    Close();
  }
  return socket_ >= 0;
}

bool TakeLine(std::string& received, std::string& line) {
  const std::size_t end = received.find('\n');
  if (end == std::string::npos) return false;
  line.assign(received, 0, end);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  received.erase(0, end + 1);
  return true;
}

PropertyConnection::Read PropertyConnection::ReadLine(Clock::time_point deadline, std::string& line) {
  while (socket_ >= 0) {
    if (TakeLine(received_, line)) return Read::kLine;
    pollfd waiting{socket_, POLLIN, 0};
    const int ready = poll(&waiting, 1, MillisecondsUntil(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return Read::kNotYet;
    char buffer[4096];
    const ssize_t got = ready == 1 ? recv(socket_, buffer, sizeof buffer, 0) : -1;
    if (got < 0 && ready == 1 && (errno == EAGAIN || errno == EINTR)) continue;
    if (got <= 0) break;
    received_.append(buffer, static_cast<std::size_t>(got));
  }
  Close();
  return Read::kClosed;
}

void PropertyConnection::DiscardPending() {
  received_.clear();
  char buffer[4096];
  while (socket_ >= 0) {
    const ssize_t got = recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (got > 0) continue;
    if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) Close();
    return;
  }
}

}  // namespace corvane::simhost
