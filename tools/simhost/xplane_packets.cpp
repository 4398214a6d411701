// Byte layouts of X-Plane's UDP packets, written and read field by field so the host's byte order and
// the compiler's padding never matter.
#include "tools/simhost/xplane_packets.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace corvane::simhost::xplane {
namespace {

class Writer {
 public:
  explicit Writer(const char* header, char fifth = '\0') {
    for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(header[i]));
    Byte(static_cast<std::uint8_t>(fifth));
  }
  void Byte(std::uint8_t value) { packet_.push_back(std::byte{value}); }
  void U16(std::uint16_t value) {
    for (int i = 0; i < 2; ++i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void U32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void U64(std::uint64_t value) {
    for (int i = 0; i < 8; ++i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void F32(float value) { U32(std::bit_cast<std::uint32_t>(value)); }
  void F64(double value) { U64(std::bit_cast<std::uint64_t>(value)); }
  void Text(const std::string& text, std::size_t fieldBytes) {
    for (std::size_t i = 0; i < fieldBytes; ++i) Byte(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
  }
  Packet Take() { return std::move(packet_); }

 private:
  Packet packet_;
};

class Reader {
 public:
  explicit Reader(std::span<const std::byte> packet) : packet_(packet) {}
  std::size_t left() const { return packet_.size() - at_; }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(packet_[at_++]); }
  std::uint64_t Unsigned(int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t{Byte()} << (8 * i);
    return value;
  }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Unsigned(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Unsigned(4)); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  float F32() { return std::bit_cast<float>(U32()); }
  double F64() { return std::bit_cast<double>(Unsigned(8)); }
  // The text before the first zero of the next `fieldBytes`; empty when the field has no zero.
  std::optional<std::string> Text(std::size_t fieldBytes) {
    const auto field = packet_.subspan(at_, fieldBytes);
    at_ += fieldBytes;
    const auto zero = std::find(field.begin(), field.end(), std::byte{0});
    if (zero == field.end()) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(field.data()), static_cast<std::size_t>(zero - field.begin()));
  }

 private:
  std::span<const std::byte> packet_;
  std::size_t at_ = kHeaderBytes;
};

bool HasHeader(std::span<const std::byte> packet, const char* letters) {
  return packet.size() >= kHeaderBytes && std::memcmp(packet.data(), letters, 4) == 0;
}

}  // namespace

std::string PacketKind(std::span<const std::byte> packet) {
  if (packet.size() < kHeaderBytes) return {};
  return std::string(reinterpret_cast<const char*>(packet.data()), 4);
}

std::optional<Packet> EncodeRrefRequest(const RrefRequest& request) {
  if (request.name.size() >= kRrefNameBytes) return std::nullopt;
  Writer w("RREF");
  w.I32(request.frequency);
  w.I32(request.index);
  w.Text(request.name, kRrefNameBytes);
  return w.Take();
}

std::optional<RrefRequest> DecodeRrefRequest(std::span<const std::byte> packet) {
  if (!HasHeader(packet, "RREF") || packet.size() != kRrefRequestBytes) return std::nullopt;
  Reader r(packet);
  RrefRequest request;
  request.frequency = r.I32();
  request.index = r.I32();
  std::optional<std::string> name = r.Text(kRrefNameBytes);
  if (!name) return std::nullopt;
  request.name = std::move(*name);
  return request;
}

// X-Plane's answers begin "RREF,"; the fifth byte is not checked, as it has differed between versions.
Packet EncodeRrefAnswer(std::span<const RrefValue> values) {
  Writer w("RREF", ',');
  for (const RrefValue& v : values) {
    w.I32(v.index);
    w.F32(v.value);
  }
  return w.Take();
}

std::optional<std::vector<RrefValue>> DecodeRrefAnswer(std::span<const std::byte> packet) {
  if (!HasHeader(packet, "RREF") || (packet.size() - kHeaderBytes) % 8 != 0) return std::nullopt;
  Reader r(packet);
  std::vector<RrefValue> values;
  while (r.left() >= 8) {
    RrefValue v;
    v.index = r.I32();
    v.value = r.F32();
    values.push_back(v);
  }
  return values;
}

std::optional<Packet> EncodeDref(const DrefWrite& write) {
  if (write.name.size() >= kDrefNameBytes) return std::nullopt;
  Writer w("DREF");
  w.F32(write.value);
  w.Text(write.name, kDrefNameBytes);
  return w.Take();
}

std::optional<DrefWrite> DecodeDref(std::span<const std::byte> packet) {
  if (!HasHeader(packet, "DREF") || packet.size() != kDrefBytes) return std::nullopt;
  Reader r(packet);
  DrefWrite write;
  write.value = r.F32();
  std::optional<std::string> name = r.Text(kDrefNameBytes);
  if (!name) return std::nullopt;
  write.name = std::move(*name);
  return write;
}

Packet EncodeVehx(const VehxPlacement& p) {
  Writer w("VEHX");
  w.I32(p.aircraft);
  w.F64(p.latitude);
  w.F64(p.longitude);
  w.F64(p.elevationM);
  w.F32(p.headingDegTrue);
  w.F32(p.pitchDeg);
  w.F32(p.rollDeg);
  return w.Take();
}

std::optional<VehxPlacement> DecodeVehx(std::span<const std::byte> packet) {
  if (!HasHeader(packet, "VEHX") || packet.size() != kVehxBytes) return std::nullopt;
  Reader r(packet);
  VehxPlacement p;
  p.aircraft = r.I32();
  p.latitude = r.F64();
  p.longitude = r.F64();
  p.elevationM = r.F64();
  p.headingDegTrue = r.F32();
  p.pitchDeg = r.F32();
  p.rollDeg = r.F32();
  return p;
}

Packet EncodeBeacon(const Beacon& b) {
  Writer w("BECN");
  w.Byte(b.majorVersion);
  w.Byte(b.minorVersion);
  w.I32(b.applicationHostId);
  w.I32(b.versionNumber);
  w.U32(b.role);
  w.U16(b.port);
  w.Text(b.computerName, b.computerName.size() + 1);
  return w.Take();
}

// The computer name runs to its zero or to the packet's end; later versions append fields after it.
std::optional<Beacon> DecodeBeacon(std::span<const std::byte> packet) {
  if (!HasHeader(packet, "BECN") || packet.size() < kBeaconFixedBytes) return std::nullopt;
  Reader r(packet);
  Beacon b;
  b.majorVersion = r.Byte();
  b.minorVersion = r.Byte();
  b.applicationHostId = r.I32();
  b.versionNumber = r.I32();
  b.role = r.U32();
  b.port = r.U16();
  const auto rest = packet.subspan(kBeaconFixedBytes);
  const auto zero = std::find(rest.begin(), rest.end(), std::byte{0});
  b.computerName.assign(reinterpret_cast<const char*>(rest.data()), static_cast<std::size_t>(zero - rest.begin()));
  if (b.port == 0) return std::nullopt;
  return b;
}

}  // namespace corvane::simhost::xplane
