// Result codes of the simulator link: every SimLink operation stores one of these.
#pragma once

#include <cstdint>

namespace corvane::simlink {

enum class SimLinkResult : std::uint32_t {
  kOk = 0,
  kAlreadyOpen = 1,
  kNoServer = 2,
  kRegisterMessageFailed = 3,
  kAtomFailed = 4,
  kCreateBlockFailed = 5,
  kMapBlockFailed = 6,
  kVersionRefused = 7,
  kWrongSimulator = 8,
  kNotOpen = 9,
  kNothingQueued = 10,
  kTimedOut = 11,
  kSendFailed = 12,
  kBadReply = 13,
  kVersionRefusedFs98 = 14,
  kRequestTooLarge = 15,
};

constexpr std::uint32_t ResultCode(SimLinkResult result) { return static_cast<std::uint32_t>(result); }

}  // namespace corvane::simlink
