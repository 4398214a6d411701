// A scripted X-Plane on the loopback for the bridge's tests and for flying corvane without X-Plane:
// it answers RREF subscriptions at their frequency, takes DREF writes (autopilot_state toggles its
// modes) and VEHX placements, sends its beacon, and flies a simple aircraft that follows the autopilot's
// heading, vertical speed or altitude, and speed.
#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tools/simhost/udp_socket.h"

namespace corvane::simhost {

struct XPlanePeerOptions {
  int port = 0;  // 0: a free one
  bool loopbackOnly = true;
  double latitude = 52.3;
  double longitude = 4.76;
  double altitudeFt = 3000;
  double headingDegTrue = 90;
  double airspeedKt = 250;
  double magneticVariationDeg = 0;  // east positive
  double windFromDegTrue = 0;
  double windSpeedKt = 0;
  double rate = 1;                // simulated seconds per real second
  int maxAnswersPerSecond = 100;  // a slow X-Plane answers less often than asked
  std::optional<UdpAddress> beaconTo;
  int versionNumber = 120001;
};

class XPlanePeer {
 public:
  explicit XPlanePeer(const XPlanePeerOptions& options);
  ~XPlanePeer() { Stop(); }
  XPlanePeer(const XPlanePeer&) = delete;
  XPlanePeer& operator=(const XPlanePeer&) = delete;

  int port() const { return port_; }
  double Get(const std::string& dataref);
  void Set(const std::string& dataref, double value);
  // The DREF writes ("name value") and VEHX placements ("VEHX lat lon elevation heading") since last taken.
  std::vector<std::string> TakeWrites();
  std::size_t subscriptionCount();
  // Closes its port and forgets every subscription, as an X-Plane that quits.
  void Stop();

 private:
  struct Subscription {
    std::string name;
    int frequency = 0;
    std::chrono::steady_clock::time_point due;
  };
  void Serve();
  void Take(const std::vector<std::byte>& packet, const UdpAddress& from);
  void Answer(std::chrono::steady_clock::time_point now);
  void Fly(double seconds);
  double& Ref(const char* name) { return datarefs_[name]; }

  XPlanePeerOptions options_;
  UdpSocket socket_;
  int port_ = 0;
  std::atomic<bool> running_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::map<std::string, double> datarefs_;
  std::map<std::pair<std::uint32_t, std::uint16_t>, std::map<std::int32_t, Subscription>> subscriptions_;
  std::vector<std::string> writes_;
};

}  // namespace corvane::simhost
