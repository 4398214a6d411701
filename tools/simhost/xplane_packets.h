// The packets of X-Plane's own UDP link: dataref subscriptions (RREF) and their answers, dataref writes
// (DREF), the placing of the aircraft (VEHX) and the beacon X-Plane announces itself with (BECN). Every
// number is little-endian; names travel in zero-padded fields of fixed width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane::simhost::xplane {

using Packet = std::vector<std::byte>;

inline constexpr int kDefaultPort = 49000;
inline constexpr const char* kBeaconGroup = "239.255.1.1";
inline constexpr int kBeaconPort = 49707;

inline constexpr std::size_t kHeaderBytes = 5;  // four letters and one byte
inline constexpr std::size_t kRrefNameBytes = 400;
inline constexpr std::size_t kRrefRequestBytes = kHeaderBytes + 8 + kRrefNameBytes;  // 413
inline constexpr std::size_t kDrefNameBytes = 500;
inline constexpr std::size_t kDrefBytes = kHeaderBytes + 4 + kDrefNameBytes;  // 509
inline constexpr std::size_t kVehxBytes = kHeaderBytes + 4 + 3 * 8 + 3 * 4;   // 45
inline constexpr std::size_t kBeaconFixedBytes = kHeaderBytes + 2 + 4 + 4 + 4 + 2;

// Subscribe to a dataref `frequency` times a second (0 ends it); answers carry `index`.
struct RrefRequest {
  std::int32_t frequency = 0;
  std::int32_t index = 0;
  std::string name;
};

struct RrefValue {
  std::int32_t index = 0;
  float value = 0;
};

struct DrefWrite {
  float value = 0;
  std::string name;  // an array element as "name[i]"
};

// Places aircraft `aircraft` (0: the user's) at a position and attitude.
struct VehxPlacement {
  std::int32_t aircraft = 0;
  double latitude = 0;
  double longitude = 0;
  double elevationM = 0;
  float headingDegTrue = 0;
  float pitchDeg = 0;
  float rollDeg = 0;
};

struct Beacon {
  std::uint8_t majorVersion = 1;
  std::uint8_t minorVersion = 2;
  std::int32_t applicationHostId = 1;  // 1: X-Plane, 2: Plane Maker
  std::int32_t versionNumber = 0;      // 120001 for 12.00r1
  std::uint32_t role = 1;              // 1: the master machine
  std::uint16_t port = kDefaultPort;   // where it receives
  std::string computerName;
};

// Empty when the name does not fit its field with the zero that ends it.
std::optional<Packet> EncodeRrefRequest(const RrefRequest& request);
std::optional<Packet> EncodeDref(const DrefWrite& write);
Packet EncodeRrefAnswer(std::span<const RrefValue> values);
Packet EncodeVehx(const VehxPlacement& placement);
Packet EncodeBeacon(const Beacon& beacon);

// Empty when the packet is not one of its kind: another header, another length, a name without its zero.
std::optional<RrefRequest> DecodeRrefRequest(std::span<const std::byte> packet);
std::optional<DrefWrite> DecodeDref(std::span<const std::byte> packet);
std::optional<std::vector<RrefValue>> DecodeRrefAnswer(std::span<const std::byte> packet);
std::optional<VehxPlacement> DecodeVehx(std::span<const std::byte> packet);
std::optional<Beacon> DecodeBeacon(std::span<const std::byte> packet);

// The four letters of a packet's header, empty for a packet shorter than a header.
std::string PacketKind(std::span<const std::byte> packet);

}  // namespace corvane::simhost::xplane
