// SimLink against the in-process fake server: open sequence, capacity, retries, hostile replies.
#include "corvane/simlink/sim_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/loopback_transport.h"
#include "corvane/simlink/memory_offset_server.h"

namespace corvane::simlink {
namespace {

using std::chrono::milliseconds;

class SimLinkTest : public ::testing::Test {
 protected:
  SimLinkTest() : link_(transport_, [this](milliseconds pause) { pauses_.push_back(pause); }) {}

  void OpenOrFail() {
    SimLinkResult result;
    ASSERT_TRUE(link_.Open(0, result));
    ASSERT_EQ(result, SimLinkResult::kOk);
    pauses_.clear();
  }

  MemoryOffsetServer server_;
  LoopbackTransport transport_{server_};
  std::vector<milliseconds> pauses_;
  SimLink link_;
};

TEST_F(SimLinkTest, OpenHandshakeWritesClientWordAndPausesOncePerPass) {
  std::vector<std::vector<std::byte>> blocks;
  transport_.faults.tamper = [&blocks](std::span<std::byte> block) {
    blocks.emplace_back(block.begin(), block.begin() + 56);
  };
  SimLinkResult result;
  ASSERT_TRUE(link_.Open(0, result));
  EXPECT_EQ(result, SimLinkResult::kOk);
  EXPECT_EQ(link_.openResult(), SimLinkResult::kOk);
  EXPECT_EQ(link_.simulatorName(), "FlightSim");
  EXPECT_EQ(link_.simulatorVersion(), 0x000Cu);
  // One pass: read, read, then the client word 0 written to 0x330A, then the terminator.
  ASSERT_EQ(blocks.size(), 1u);
  std::uint32_t words[14];
  std::memcpy(words, blocks[0].data(), sizeof words);
  const std::uint32_t expected[14] = {1,
                                      kOffsetServerVersion,
                                      4,
                                      words[3],
                                      0x49740000,
                                      1,
                                      kOffsetSimulatorVersion,
                                      4,
                                      words[8],
                                      0xFADE000C,
                                      2,
                                      kOffsetClientVersion,
                                      2,
                                      words[13] & 0xFFFF0000u};
  EXPECT_TRUE(std::equal(words, words + 14, expected));
  EXPECT_EQ(pauses_, std::vector<milliseconds>{milliseconds(100)});
  EXPECT_EQ(transport_.atomName(), link_.blockName());
}

TEST_F(SimLinkTest, VersionWordsDecideAcceptanceAndName) {
  struct Case {
    std::uint32_t serverVersion, simulatorWord;
    ServerClass serverClass;
    SimLinkResult expected;
    const char* name;
  };
  const Case cases[] = {
      {0x19980005, 0xFADE0001, ServerClass::kUipcMain, SimLinkResult::kOk, "FlightSim"},
      {0x50000000, 0xFADE0001, ServerClass::kUipcMain, SimLinkResult::kOk, "FlightSim"},
      {0x50000001, 0xFADE0001, ServerClass::kUipcMain, SimLinkResult::kOk, "XPlane"},
      {0x19980004, 0xFADE0001, ServerClass::kUipcMain, SimLinkResult::kVersionRefused, ""},
      {0x19980005, 0xFADF0001, ServerClass::kUipcMain, SimLinkResult::kVersionRefused, ""},
      {0x19980005, 0x0000FADE, ServerClass::kFs98Main, SimLinkResult::kVersionRefusedFs98, ""},
      {0x19980005, 0xFADE0001, ServerClass::kFs98Main, SimLinkResult::kOk, "FlightSim"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.serverVersion << " " << c.simulatorWord);
    server_.Set(kOffsetServerVersion, c.serverVersion);
    server_.Set(kOffsetSimulatorVersion, c.simulatorWord);
    transport_.faults.serverClass = c.serverClass;
    SimLinkResult result;
    EXPECT_EQ(link_.Open(0, result), c.expected == SimLinkResult::kOk);
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(link_.IsOpen(), c.expected == SimLinkResult::kOk);
    EXPECT_EQ(link_.simulatorName(), c.name);
    link_.Close();
  }
}

TEST_F(SimLinkTest, SilentServerIsAskedFiveTimesThenRefused) {
  server_.Set<std::uint32_t>(kOffsetServerVersion, 0);
  SimLinkResult result;
  EXPECT_FALSE(link_.Open(0, result));
  EXPECT_EQ(result, SimLinkResult::kVersionRefused);
  EXPECT_EQ(transport_.requestsServed(), 5);
  EXPECT_EQ(pauses_.size(), 5u);
  EXPECT_FALSE(transport_.blockExists());
}

TEST_F(SimLinkTest, EachOpenStepFailureHasItsCodeAndLeavesTheLinkClosed) {
  struct Case {
    void (*breakIt)(LoopbackFaults&);
    SimLinkResult expected;
  };
  const Case cases[] = {
      {[](LoopbackFaults& f) { f.serverClass = ServerClass::kNone; }, SimLinkResult::kNoServer},
      {[](LoopbackFaults& f) { f.registerFails = true; }, SimLinkResult::kRegisterMessageFailed},
      {[](LoopbackFaults& f) { f.atomFails = true; }, SimLinkResult::kAtomFailed},
      {[](LoopbackFaults& f) { f.blockCreation = BlockCreation::kAlreadyExists; }, SimLinkResult::kCreateBlockFailed},
      {[](LoopbackFaults& f) { f.blockCreation = BlockCreation::kFailed; }, SimLinkResult::kCreateBlockFailed},
      {[](LoopbackFaults& f) { f.mapFails = true; }, SimLinkResult::kMapBlockFailed},
      {[](LoopbackFaults& f) { f.failingSends = 9, f.failureStatus = SendStatus::kOsError; },
       SimLinkResult::kSendFailed},
  };
  for (const Case& c : cases) {
    transport_.faults = {};
    c.breakIt(transport_.faults);
    SimLinkResult result;
    EXPECT_FALSE(link_.Open(0, result));
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(link_.openResult(), c.expected);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_FALSE(transport_.blockExists());
  }
}

TEST_F(SimLinkTest, RequestedSimulatorMustMatch) {
  SimLinkResult result;
  EXPECT_FALSE(link_.Open(0x0009, result));
  EXPECT_EQ(result, SimLinkResult::kWrongSimulator);
  EXPECT_TRUE(link_.Open(0x000C, result));
}

TEST_F(SimLinkTest, OpenWhileOpenKeepsTheWorkingLink) {
  OpenOrFail();
  const std::string name = link_.blockName();
  SimLinkResult result;
  EXPECT_FALSE(link_.Open(0, result));
  EXPECT_EQ(result, SimLinkResult::kAlreadyOpen);
  EXPECT_EQ(link_.openResult(), SimLinkResult::kOk);
  EXPECT_EQ(link_.blockName(), name);
  std::uint32_t version = 0;
  EXPECT_TRUE(link_.Read(kOffsetServerVersion, 4, &version, result));
  EXPECT_TRUE(link_.Process(result));
  EXPECT_EQ(version, 0x49740000u);
}

TEST_F(SimLinkTest, ReopeningUsesANewBlockName) {
  EXPECT_EQ(FormatBlockName(0x1A2B, 0x10), "FsasmLib:IPC:1A2B:10");
  OpenOrFail();
  const std::string first = link_.blockName();
  link_.Close();
  link_.Close();  // closing a closed link is harmless
  OpenOrFail();
  EXPECT_NE(link_.blockName(), first);
  EXPECT_EQ(link_.blockName().rfind("FsasmLib:IPC:1234:", 0), 0u);
}

TEST_F(SimLinkTest, ClosedLinkRefusesEveryOperation) {
  SimLinkResult result;
  std::uint32_t value = 0;
  EXPECT_FALSE(link_.Read(0x3304, 4, &value, result));
  EXPECT_EQ(result, SimLinkResult::kNotOpen);
  EXPECT_FALSE(link_.Write(0x3304, 4, &value, result));
  EXPECT_EQ(result, SimLinkResult::kNotOpen);
  EXPECT_FALSE(link_.Process(result));
  EXPECT_EQ(result, SimLinkResult::kNotOpen);
}

TEST_F(SimLinkTest, CapacityLimitCountsHeaderAndTerminator) {
  OpenOrFail();
  static std::vector<std::byte> buffer(40000);
  struct Case {
    bool isWrite;
    std::uint32_t sizeBytes;
    bool fits;
  };
  const Case cases[] = {
      {true, 32496, true},   {true, 32497, false},      {false, 32492, true},
      {false, 32493, false}, {true, 0xFFFFFFF8, false}, {false, 0xFFFFFFFF, false},  // would wrap a 32-bit sum
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sizeBytes);
    SimLinkResult result;
    const bool queued = c.isWrite ? link_.Write(0x4000, c.sizeBytes, buffer.data(), result)
                                  : link_.Read(0x4000, c.sizeBytes, buffer.data(), result);
    EXPECT_EQ(queued, c.fits);
    EXPECT_EQ(result, c.fits ? SimLinkResult::kOk : SimLinkResult::kRequestTooLarge);
    if (queued) {
      EXPECT_TRUE(link_.Process(result));
    }
  }
  // The limit holds for the queue as a whole too.
  SimLinkResult result;
  EXPECT_TRUE(link_.Write(0x4000, 20000, buffer.data(), result));
  EXPECT_FALSE(link_.Write(0x4000, 12497, buffer.data(), result));
  EXPECT_TRUE(link_.Write(0x4000, 12496 - 12, buffer.data(), result));
  EXPECT_TRUE(link_.Process(result));
}

TEST_F(SimLinkTest, ProcessWithNothingQueuedSendsNothing) {
  OpenOrFail();
  const int before = transport_.sendAttempts();
  SimLinkResult result;
  EXPECT_FALSE(link_.Process(result));
  EXPECT_EQ(result, SimLinkResult::kNothingQueued);
  EXPECT_EQ(transport_.sendAttempts(), before);
}

TEST_F(SimLinkTest, WriteThenReadInOneBatchRoundTrips) {
  OpenOrFail();
  const double written = -33.9;
  double read = 0;
  std::uint16_t untouched = 0x5555;
  SimLinkResult result;
  ASSERT_TRUE(link_.Write(0x6000, 8, &written, result));
  ASSERT_TRUE(link_.Read(0x6000, 8, &read, result));
  ASSERT_TRUE(link_.Read(0x6000, 0, &untouched, result));  // size 0: sent, nothing copied
  ASSERT_TRUE(link_.Read(0x6000, 8, nullptr, result));     // no destination: sent, nothing copied
  ASSERT_TRUE(link_.Process(result));
  EXPECT_EQ(read, written);
  EXPECT_EQ(untouched, 0x5555);
}

// Windows reports a send that timed out with its own error code (ERROR_TIMEOUT, 1460): a failed send, result 12.
TEST(UndeliveredSend, AnyErrorTheSystemReportsIsAFailedSend) {
  EXPECT_EQ(UndeliveredSendStatus(1460), SendStatus::kOsError);
  EXPECT_EQ(UndeliveredSendStatus(5), SendStatus::kOsError);
  EXPECT_EQ(UndeliveredSendStatus(0), SendStatus::kTimedOut);
}

TEST_F(SimLinkTest, SendRetriesNineTimesWithPausesBetween) {
  struct Case {
    int failingSends;
    SendStatus status;
    SimLinkResult expected;
    int attempts;
    std::size_t pauses;
  };
  const Case cases[] = {
      {9, SendStatus::kTimedOut, SimLinkResult::kTimedOut, 9, 8},
      {9, SendStatus::kOsError, SimLinkResult::kSendFailed, 9, 8},
      {8, SendStatus::kTimedOut, SimLinkResult::kOk, 9, 8},
      {1, SendStatus::kOsError, SimLinkResult::kOk, 2, 1},
  };
  OpenOrFail();
  server_.Set<std::uint32_t>(0x6000, 77);
  for (const Case& c : cases) {
    transport_.faults.failingSends = c.failingSends;
    transport_.faults.failureStatus = c.status;
    pauses_.clear();
    const int before = transport_.sendAttempts();
    std::uint32_t value = 0;
    SimLinkResult result;
    ASSERT_TRUE(link_.Read(0x6000, 4, &value, result));
    EXPECT_EQ(link_.Process(result), c.expected == SimLinkResult::kOk);
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(transport_.sendAttempts() - before, c.attempts);
    EXPECT_EQ(pauses_, std::vector<milliseconds>(c.pauses, milliseconds(100)));
    EXPECT_EQ(value, c.expected == SimLinkResult::kOk ? 77u : 0u);
    // The failed batch was discarded: the queue is empty and the link still works.
    EXPECT_FALSE(link_.Process(result));
    EXPECT_EQ(result, SimLinkResult::kNothingQueued);
  }
}

TEST_F(SimLinkTest, ReplyOtherThanOneLeavesDestinationsAlone) {
  OpenOrFail();
  server_.Set<std::uint32_t>(0x6000, 77);
  server_.overrideReply = true;
  server_.reply = 2;
  std::uint32_t value = 5;
  SimLinkResult result;
  ASSERT_TRUE(link_.Read(0x6000, 4, &value, result));
  EXPECT_FALSE(link_.Process(result));
  EXPECT_EQ(result, SimLinkResult::kBadReply);
  EXPECT_EQ(value, 5u);
}

void StoreU32(std::span<std::byte> block, std::size_t position, std::uint32_t value) {
  std::memcpy(block.data() + position, &value, sizeof value);
}

TEST_F(SimLinkTest, HostileBlockNeverWritesOutsideTheCallersBuffers) {
  // Batch: read 4 bytes at block 0, read 8 bytes at block 20, terminator at 44.
  struct Case {
    const char* what;
    void (*tamper)(std::span<std::byte>);
    bool firstCopied, secondCopied;
  };
  const Case cases[] = {
      {"untouched", [](std::span<std::byte>) {}, true, true},
      {"first size grown past its buffer", [](std::span<std::byte> b) { StoreU32(b, 8, 4000); }, false, false},
      {"size runs past the block end", [](std::span<std::byte> b) { StoreU32(b, 8, 0xFFFFFFF0); }, false, false},
      {"destination index out of range", [](std::span<std::byte> b) { StoreU32(b, 12, 999); }, false, true},
      {"destination swapped to the 8-byte one", [](std::span<std::byte> b) { StoreU32(b, 12, 2); }, false, true},
      {"unknown marker ends the walk", [](std::span<std::byte> b) { StoreU32(b, 20, 7); }, true, false},
      {"terminator gone, block full of reads",
       [](std::span<std::byte> b) {
         for (std::size_t p = 44; p + 16 <= b.size(); p += 16) {
           StoreU32(b, p, 1), StoreU32(b, p + 4, 0), StoreU32(b, p + 8, 0), StoreU32(b, p + 12, 1);
         }
         StoreU32(b, b.size() - 4, 1);  // a record header cut by the block end
       },
       true, true},
  };
  OpenOrFail();
  server_.Set<std::uint32_t>(0x6000, 0x11111111);
  server_.Set<std::uint64_t>(0x6100, 0x2222222222222222);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    transport_.faults.tamper = c.tamper;
    std::uint32_t first = 0;
    std::uint64_t second = 0;
    SimLinkResult result;
    ASSERT_TRUE(link_.Read(0x6000, 4, &first, result));
    ASSERT_TRUE(link_.Read(0x6100, 8, &second, result));
    EXPECT_TRUE(link_.Process(result));
    EXPECT_EQ(first, c.firstCopied ? 0x11111111u : 0u);
    EXPECT_EQ(second, c.secondCopied ? 0x2222222222222222u : 0u);
  }
}

TEST(ServeRequestBlockTest, MalformedBlocksGetReplyZero) {
  MemoryOffsetServer server;
  std::vector<std::byte> block(64);
  StoreU32(block, 0, 2), StoreU32(block, 4, 0x100), StoreU32(block, 8, 4), StoreU32(block, 12, 0xABCD),
      StoreU32(block, 16, 0);
  EXPECT_EQ(ServeRequestBlock(block, server), 1u);
  EXPECT_EQ(server.Get<std::uint32_t>(0x100), 0xABCDu);
  StoreU32(block, 8, 60);  // data past the end
  EXPECT_EQ(ServeRequestBlock(block, server), 0u);
  StoreU32(block, 0, 3);
  EXPECT_EQ(ServeRequestBlock(block, server), 0u);
  std::vector<std::byte> unterminated(12);
  StoreU32(unterminated, 0, 2), StoreU32(unterminated, 8, 0);
  EXPECT_EQ(ServeRequestBlock(unterminated, server), 0u);
  // Reads past the 64 KiB space come back as zeros.
  StoreU32(block, 0, 1), StoreU32(block, 4, 0xFFFE), StoreU32(block, 8, 4), StoreU32(block, 16, 0xFFFFFFFF),
      StoreU32(block, 20, 0);
  server.Set<std::uint16_t>(0xFFFE, 0x4242);
  EXPECT_EQ(ServeRequestBlock(block, server), 1u);
  std::uint32_t answer = 0;
  std::memcpy(&answer, block.data() + 16, 4);
  EXPECT_EQ(answer, 0x4242u);
}

}  // namespace
}  // namespace corvane::simlink
