// The X-Plane bridge: subscriptions out, answers in, corvane served from the latest values.
#include "tools/simhost/xplane_backend.h"

#include "tools/simhost/block_needs.h"

namespace corvane::simhost {

XPlaneBackend::XPlaneBackend(const XPlaneOptions& options, Report report)
    : options_(options), report_(std::move(report)) {
  std::string error;
  if (!socket_.Open(0, false, error)) report_(error);
  if (!options_.address.empty()) {
    xplane_ = ResolveUdpAddress(options_.address, xplane::kDefaultPort, error);
    if (!xplane_) {
      report_(error);
      return;
    }
    Subscribe(options_.subscriptionsPerSecond);
    report_("subscribed to X-Plane at " + Where() + " (waiting for its answers)");
    return;
  }
  if (!beaconSocket_.OpenMulticast(options_.beaconGroup, options_.beaconPort, error))
    report_(error);
  else
    report_("looking for X-Plane's beacon on " + options_.beaconGroup + ":" + std::to_string(options_.beaconPort));
}

XPlaneBackend::~XPlaneBackend() {
  if (xplane_) Subscribe(0);
}

std::string XPlaneBackend::Where() const { return xplane_ ? xplane_->Text() : "(not found yet)"; }

void XPlaneBackend::Send(std::span<const std::byte> packet) {
  if (xplane_) socket_.SendTo(*xplane_, packet);
}

void XPlaneBackend::Subscribe(int frequency) {
  const std::vector<std::string>& names = mapping_.subscriptions();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (const auto packet = xplane::EncodeRrefRequest({frequency, static_cast<std::int32_t>(i), names[i]}))
      Send(*packet);
  }
  lastSubscribe_ = Clock::now();
}

void XPlaneBackend::Receive(Clock::time_point until) {
  std::vector<std::byte> packet;
  UdpAddress from;
  while (beaconSocket_.IsOpen() && beaconSocket_.Receive(Clock::time_point{}, packet, from)) {
    const auto beacon = xplane::DecodeBeacon(packet);
    // The master machine of X-Plane itself, not Plane Maker or an external visual.
    if (!beacon || beacon->applicationHostId != 1 || beacon->role != 1 || answering_) continue;
    const UdpAddress found{from.host, beacon->port};
    if (xplane_ == found) continue;
    xplane_ = found;
    report_("found X-Plane " + std::to_string(beacon->versionNumber) + " on '" + beacon->computerName + "' at " +
            Where());
    mapping_.ForgetAnswers();
    Subscribe(options_.subscriptionsPerSecond);
  }
  while (socket_.Receive(until, packet, from)) {
    if (!xplane_ || from.host != xplane_->host) continue;
    const auto values = xplane::DecodeRrefAnswer(packet);
    if (!values) continue;
    mapping_.Absorb(*values);
    if (!mapping_.complete()) continue;
    lastAnswer_ = Clock::now();
    if (!answering_) {
      report_((everAnswered_ ? "X-Plane answers again at " : "X-Plane answers at ") + Where());
      answering_ = everAnswered_ = true;
    }
    until = Clock::time_point{};  // a full set of values: take the rest that is there, wait no more
  }
  CheckSilence();
  // The modes the latest values call for.
  for (const xplane::Packet& out : mapping_.TakePackets()) Send(out);
}

void XPlaneBackend::CheckSilence() {
  const Clock::time_point now = Clock::now();
  if (answering_ && now - lastAnswer_ > options_.silenceTimeout) {
    answering_ = false;
    mapping_.ForgetAnswers();
    report_("X-Plane at " + Where() + " stopped answering (nothing for " +
            std::to_string(options_.silenceTimeout.count()) + " ms); corvane sees a lost link until it answers again");
  }
  if (!answering_ && xplane_ && now - lastSubscribe_ >= options_.resubscribeInterval)
    Subscribe(options_.subscriptionsPerSecond);
}

void XPlaneBackend::Advance(double) { Receive(Clock::time_point{}); }

std::uint32_t XPlaneBackend::ServeBlock(std::span<std::byte> block) {
  BlockNeeds needs;
  simlink::ServeRequestBlock(block, needs);
  // Only the very first values are waited for; a lost X-Plane fails the batches at once.
  const bool waitForFirst = needs.simulator && !everAnswered_ && xplane_;
  Receive(waitForFirst ? lastSubscribe_ + options_.firstAnswerWait : Clock::time_point{});
  if (needs.simulator && !answering_) return 0;
  const std::uint32_t reply = simlink::ServeRequestBlock(block, mapping_);
  for (const xplane::Packet& packet : mapping_.TakePackets()) Send(packet);
  return reply;
}

std::string XPlaneBackend::StateLine() const {
  return "X-Plane " + mapping_.StateLine() + (answering_ ? "" : " (not answering)");
}

}  // namespace corvane::simhost
