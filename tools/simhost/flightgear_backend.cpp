#include "tools/simhost/flightgear_backend.h"

#include <algorithm>
#include <vector>

#include "corvane/simlink/offset_codec.h"
#include "corvane/simlink/sim_link.h"
#include "tools/simhost/block_needs.h"

namespace corvane::simhost {
namespace {

using namespace corvane::simlink;

// More lines than any listing of /ai/models holds: a peer that never ends it is not FlightGear.
constexpr std::size_t kMaxListingLines = 4096;

}  // namespace

FlightGearBackend::FlightGearBackend(const FlightGearOptions& options, Report report)
    : options_(options), report_(std::move(report)), mapping_(options.xplane) {
  if (!TryConnect()) report_("waiting for FlightGear at " + Where() + " (nothing answers yet)");
}

std::string FlightGearBackend::Where() const { return options_.host + ":" + std::to_string(options_.port); }

bool FlightGearBackend::TryConnect() {
  nextAttempt_ = Clock::now() + options_.retryInterval;
  std::string error;
  if (!connection_.Connect(options_.host, options_.port, options_.connectTimeout, error)) return false;
  // Data mode: no prompts, and `get` answers with the bare value.
  return connection_.Send("data\r\n");
}

void FlightGearBackend::Advance(double) {
  if (pending_) Collect(Clock::now());
  if (!connection_.IsOpen() && Clock::now() >= nextAttempt_) TryConnect();
}

std::uint32_t FlightGearBackend::ServeBlock(std::span<std::byte> block) {
  BlockNeeds needs;
  ServeRequestBlock(block, needs);
  if (needs.simulator && !connection_.IsOpen()) return 0;
  if (needs.poll) {
    // One batch in flight at a time. Its answer is waited for only when the last one is too old to
    // serve: the first poll after connecting, or after a pause in corvane's polling.
    if (pending_ && Collect(Clock::now()) == Progress::kFailed) return 0;
    if (!pending_ && !SendPoll()) return 0;
    const bool stale = !answering_ || Clock::now() - lastAnswer_ > options_.replyTimeout;
    if (stale && Collect(pending_->deadline) != Progress::kComplete) return 0;
  }
  if (needs.reads && !answering_) return 0;
  const std::uint32_t reply = ServeRequestBlock(block, mapping_);
  if (const std::string commands = mapping_.TakeCommands(); !commands.empty() && !connection_.Send(commands)) {
    Lose("the connection broke");
    return 0;
  }
  return reply;
}

bool FlightGearBackend::SendPoll() {
  connection_.DiscardPending();
  PendingPoll poll;
  poll.valueCount = mapping_.valueCount();
  poll.deadline = Clock::now() + options_.replyTimeout;
  if (!connection_.Send(mapping_.TakeCommands() + mapping_.PollRequest())) {
    Lose("the connection broke");
    return false;
  }
  pending_ = std::move(poll);
  return true;
}

FlightGearBackend::Progress FlightGearBackend::Collect(Clock::time_point until) {
  PendingPoll& poll = *pending_;
  std::string line;
  while (true) {
    switch (connection_.ReadLine(std::min(until, poll.deadline), line)) {
      case PropertyConnection::Read::kClosed: Lose("the connection broke"); return Progress::kFailed;
      case PropertyConnection::Read::kNotYet:
        if (Clock::now() < poll.deadline) return Progress::kWaiting;
        Lose("no answer within " + std::to_string(options_.replyTimeout.count()) + " ms");
        return Progress::kFailed;
      case PropertyConnection::Read::kLine: break;
    }
    if (poll.values.size() < poll.valueCount) {
      poll.values.push_back(line);
    } else if (!line.empty()) {
      if (poll.listing.size() >= kMaxListingLines) {
        Lose("no end to the listing of /ai/models");
        return Progress::kFailed;
      }
      poll.listing.push_back(line);
    } else {
      break;  // the empty answer that ends the listing
    }
  }
  mapping_.AbsorbPoll(poll.values, poll.listing);
  pending_.reset();
  lastAnswer_ = Clock::now();
  if (!answering_) report_((everAnswered_ ? "FlightGear answers again at " : "FlightGear answers at ") + Where());
  answering_ = everAnswered_ = true;
  return Progress::kComplete;
}

void FlightGearBackend::Lose(const std::string& reason) {
  connection_.Close();
  pending_.reset();
  if (answering_)
    report_("FlightGear at " + Where() + " stopped answering (" + reason +
            "); corvane sees a lost link until it answers again");
  answering_ = false;
}

std::string FlightGearBackend::StateLine() const {
  return "FlightGear " + mapping_.StateLine() + (answering_ ? "" : " (not answering)");
}

}  // namespace corvane::simhost
