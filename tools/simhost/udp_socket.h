// A UDP socket over IPv4, as X-Plane's link uses: datagrams to and from addresses, received without
// blocking or within a deadline, and the joining of a multicast group for X-Plane's beacon.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane::simhost {

struct UdpAddress {
  std::uint32_t host = 0;  // IPv4, in host byte order
  std::uint16_t port = 0;
  bool operator==(const UdpAddress&) const = default;
  std::string Text() const;
};

// HOST or HOST:PORT (`defaultPort` without one); a name is looked up. Empty with `error` set otherwise.
std::optional<UdpAddress> ResolveUdpAddress(const std::string& hostAndPort, int defaultPort, std::string& error);

class UdpSocket {
 public:
  UdpSocket() = default;
  ~UdpSocket() { Close(); }
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // Binds to `port` on every interface (0: a free one), or only the loopback with `loopbackOnly`.
  bool Open(int port, bool loopbackOnly, std::string& error);
  // Binds to `port` shared with other listeners and joins the multicast `group` (another address is
  // only listened on).
  bool OpenMulticast(const std::string& group, int port, std::string& error);
  void Close();
  bool IsOpen() const { return socket_ >= 0; }
  int port() const;

  bool SendTo(const UdpAddress& to, std::span<const std::byte> packet);
  // One datagram that came by `deadline` (a deadline in the past only takes what is there).
  bool Receive(std::chrono::steady_clock::time_point deadline, std::vector<std::byte>& packet, UdpAddress& from);

 private:
  std::intptr_t socket_ = -1;  // a file descriptor, or a Winsock SOCKET
};

}  // namespace corvane::simhost
