// BSD sockets behind UdpSocket, POSIX or Winsock; every socket is non-blocking and waits only in poll.
#include "tools/simhost/udp_socket.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace corvane::simhost {
namespace {

#ifdef _WIN32
using Native = SOCKET;
using SocketLength = int;
Native OpenDatagramSocket() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) return INVALID_SOCKET;
  const Native s = socket(AF_INET, SOCK_DGRAM, 0);
  u_long on = 1;
  if (s != INVALID_SOCKET) ioctlsocket(s, FIONBIO, &on);
  return s;
}
void CloseNative(Native s) { closesocket(s); }
// Nothing to read now; Windows also reports an earlier datagram's unreachable port here.
bool NothingYet() {
  const int error = WSAGetLastError();
  return error == WSAEWOULDBLOCK || error == WSAECONNRESET || error == WSAEINTR;
}
void WaitReadable(Native s, int milliseconds) {
  WSAPOLLFD waiting{s, POLLRDNORM, 0};
  WSAPoll(&waiting, 1, milliseconds);
}
std::string LastError() { return "error " + std::to_string(WSAGetLastError()); }
#else
using Native = int;
using SocketLength = socklen_t;
Native OpenDatagramSocket() { return socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0); }
void CloseNative(Native s) { close(s); }
bool NothingYet() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNREFUSED; }
void WaitReadable(Native s, int milliseconds) {
  pollfd waiting{s, POLLIN, 0};
  poll(&waiting, 1, milliseconds);
}
std::string LastError() { return std::strerror(errno); }
#endif

Native Handle(std::intptr_t socket) { return static_cast<Native>(socket); }

sockaddr_in SocketAddress(const UdpAddress& address) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(address.host);
  a.sin_port = htons(address.port);
  return a;
}

}  // namespace

std::string UdpAddress::Text() const {
  return std::to_string(host >> 24) + "." + std::to_string((host >> 16) & 0xFF) + "." +
         std::to_string((host >> 8) & 0xFF) + "." + std::to_string(host & 0xFF) + ":" + std::to_string(port);
}

std::optional<UdpAddress> ResolveUdpAddress(const std::string& hostAndPort, int defaultPort, std::string& error) {
  std::string host = hostAndPort;
  int port = defaultPort;
  if (const std::size_t colon = hostAndPort.rfind(':'); colon != std::string::npos) {
    host = hostAndPort.substr(0, colon);
    const std::string_view text = std::string_view(hostAndPort).substr(colon + 1);
    const auto [end, failed] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (text.empty() || failed != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535) {
      error = "bad port in '" + hostAndPort + "'";
      return std::nullopt;
    }
  }
  if (host.empty()) {
    error = "no host in '" + hostAndPort + "'";
    return std::nullopt;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (const int status = getaddrinfo(host.c_str(), nullptr, &hints, &found); status != 0 || !found) {
    error = "cannot find host '" + host + "': " + gai_strerror(status);
    return std::nullopt;
  }
  UdpAddress address;
  address.host = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
  address.port = static_cast<std::uint16_t>(port);
  freeaddrinfo(found);
  return address;
}

bool UdpSocket::Open(int port, bool loopbackOnly, std::string& error) {
  Close();
  const Native s = OpenDatagramSocket();
  if (s == static_cast<Native>(-1)) {
    error = "cannot open a UDP socket: " + LastError();
    return false;
  }
  socket_ = static_cast<std::intptr_t>(s);
  sockaddr_in a = SocketAddress({loopbackOnly ? INADDR_LOOPBACK : INADDR_ANY, static_cast<std::uint16_t>(port)});
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    error = "cannot bind UDP port " + std::to_string(port) + ": " + LastError();
    Close();
    return false;
  }
  return true;
}

bool UdpSocket::OpenMulticast(const std::string& group, int port, std::string& error) {
  Close();
  const Native s = OpenDatagramSocket();
  if (s == static_cast<Native>(-1)) {
    error = "cannot open a UDP socket: " + LastError();
    return false;
  }
  socket_ = static_cast<std::intptr_t>(s);
  const int on = 1;
  if (setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on) != 0) {
    error = "cannot share UDP port " + std::to_string(port) + ": " + LastError();
    Close();
    return false;
  }
  sockaddr_in a = SocketAddress({INADDR_ANY, static_cast<std::uint16_t>(port)});
  ip_mreq membership{};
  const bool address = inet_pton(AF_INET, group.c_str(), &membership.imr_multiaddr) == 1;
  // 224.0.0.0/4 is joined; any other address (a test's loopback) is only listened on.
  const bool multicast = address && (ntohl(membership.imr_multiaddr.s_addr) >> 28) == 0xE;
  if (!address || bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      (multicast && setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&membership),
                               sizeof membership) != 0)) {
    error = "cannot join " + group + ":" + std::to_string(port) + ": " + LastError();
    Close();
    return false;
  }
  return true;
}

void UdpSocket::Close() {
  if (socket_ >= 0) CloseNative(Handle(socket_));
  socket_ = -1;
}

int UdpSocket::port() const {
  sockaddr_in a{};
  SocketLength size = sizeof a;
  if (socket_ < 0 || getsockname(Handle(socket_), reinterpret_cast<sockaddr*>(&a), &size) != 0) return 0;
  return ntohs(a.sin_port);
}

bool UdpSocket::SendTo(const UdpAddress& to, std::span<const std::byte> packet) {
  const sockaddr_in a = SocketAddress(to);
  return socket_ >= 0 &&
         sendto(Handle(socket_), reinterpret_cast<const char*>(packet.data()), static_cast<int>(packet.size()), 0,
                reinterpret_cast<const sockaddr*>(&a), sizeof a) == static_cast<int>(packet.size());
}

bool UdpSocket::Receive(std::chrono::steady_clock::time_point deadline, std::vector<std::byte>& packet,
                        UdpAddress& from) {
  if (socket_ < 0) return false;
  while (true) {
    packet.resize(65536);
    sockaddr_in a{};
    SocketLength size = sizeof a;
    const auto got = recvfrom(Handle(socket_), reinterpret_cast<char*>(packet.data()), static_cast<int>(packet.size()),
                              0, reinterpret_cast<sockaddr*>(&a), &size);
    if (got >= 0) {
      packet.resize(static_cast<std::size_t>(got));
      from = {ntohl(a.sin_addr.s_addr), ntohs(a.sin_port)};
      return true;
    }
    packet.clear();
    if (!NothingYet()) return false;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    WaitReadable(Handle(socket_), static_cast<int>(std::min<long long>(left.count(), 1000)));
  }
}

}  // namespace corvane::simhost
