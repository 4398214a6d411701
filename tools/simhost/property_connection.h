// A TCP connection to FlightGear's property server (its --telnet port): lines out, lines in, with
// deadlines, so a simulator that stops answering costs a bounded wait and never a hang.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace corvane::simhost {

// Moves the first whole line of `received` (up to LF, one CR before it dropped) into `line`; false, with
// both left alone, while no line end has arrived.
bool TakeLine(std::string& received, std::string& line);

class PropertyConnection {
 public:
  using Clock = std::chrono::steady_clock;

  PropertyConnection() = default;
  ~PropertyConnection() { Close(); }
  PropertyConnection(const PropertyConnection&) = delete;
  PropertyConnection& operator=(const PropertyConnection&) = delete;

  // Connects within `timeout`; false with `error` set otherwise.
  bool Connect(const std::string& host, int port, std::chrono::milliseconds timeout, std::string& error);
  void Close();
  bool IsOpen() const { return socket_ >= 0; }

  // Writes all of `text`; false (and closed) when the peer is gone.
  bool Send(std::string_view text);
  enum class Read { kLine, kNotYet, kClosed };
  // The next line without its CR LF; kNotYet when none has come by the deadline (a deadline in the
  // past only takes what has arrived), kClosed (and closed) when the peer is gone.
  Read ReadLine(Clock::time_point deadline, std::string& line);
  // Throws away whatever has arrived unasked, so the next answer is read from a clean start.
  void DiscardPending();

 private:
  int socket_ = -1;
  std::string received_;
};

}  // namespace corvane::simhost
