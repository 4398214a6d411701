// The Windows link against server windows of this process: what a client meets from a working server,
// from none, from one that refuses the handshake, answers something else than 1 or stops answering.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "corvane/simlink/memory_offset_server.h"
#include "corvane/simlink/sim_link.h"
#include "corvane/simlink/win32_server_window.h"
#include "corvane/simlink/win32_transport.h"

namespace corvane::simlink {
namespace {

// A server window answering on a thread of its own, as the simulator's would from its process.
class ServerThread {
 public:
  ServerThread(std::string_view className, BlockServer& server) {
    std::promise<bool> created;
    std::future<bool> ready = created.get_future();
    thread_ = std::thread([this, name = std::string(className), &server, &created] {
      Win32ServerWindow window(name, server);
      std::string error;
      created.set_value(window.Create(error));
      while (!stop_) window.PumpMessages(std::chrono::milliseconds(5));
    });
    created_ = ready.get();
  }
  ~ServerThread() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool created() const { return created_; }

 private:
  std::atomic<bool> stop_{false};
  bool created_ = false;
  std::thread thread_;
};

// Holds every request until released: a simulator that hangs.
class HangingServer : public BlockServer {
 public:
  std::uint32_t ServeBlock(std::span<std::byte> block) override {
    while (!released) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return inner.ServeBlock(block);
  }
  MemoryOffsetServer inner;
  std::atomic<bool> released{true};
};

void NoPause(std::chrono::milliseconds) {}

// A client whose link is open on a server window of this process.
struct ServedClient {
  explicit ServedClient(BlockServer& server) : thread(kServerClassMain, server), link(transport, NoPause) {}
  ::testing::AssertionResult Open() {
    if (!thread.created()) return ::testing::AssertionFailure() << "no server window";
    SimLinkResult result;
    if (!link.Open(0, result)) return ::testing::AssertionFailure() << "open: " << ResultCode(result);
    return ::testing::AssertionSuccess();
  }
  ServerThread thread;
  Win32Transport transport;
  SimLink link;
};

TEST(Win32Link, WithoutAServerWindowOpenFailsWithResult2) {
  Win32Transport transport;
  SimLink link(transport, NoPause);
  SimLinkResult result = SimLinkResult::kOk;
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, SimLinkResult::kNoServer);
}

TEST(Win32Link, ReadsAndWritesGoThroughTheServersBlock) {
  MemoryOffsetServer server;
  server.Set<std::uint32_t>(0x0560, 0x12345678);
  ServedClient client(server);
  ASSERT_TRUE(client.Open());
  SimLink& link = client.link;
  SimLinkResult result;
  EXPECT_EQ(link.simulatorName(), "FlightSim");

  const std::uint16_t heading = 0x4000;
  std::uint32_t latitude = 0;
  ASSERT_TRUE(link.Write(0x07CC, sizeof heading, &heading, result));
  ASSERT_TRUE(link.Read(0x0560, sizeof latitude, &latitude, result));
  ASSERT_TRUE(link.Process(result)) << ResultCode(result);
  EXPECT_EQ(latitude, 0x12345678u);
  EXPECT_EQ(server.Get<std::uint16_t>(0x07CC), heading);
}

TEST(Win32Link, AHandshakeWithoutTheSimulatorWordIsRefusedByTheClassFound) {
  struct Case {
    std::string_view className;
    SimLinkResult expected;
  };
  for (const Case& c : {Case{kServerClassMain, SimLinkResult::kVersionRefused},
                        Case{kServerClassFs98, SimLinkResult::kVersionRefusedFs98}}) {
    SCOPED_TRACE(c.className);
    MemoryOffsetServer server;
    server.Set<std::uint32_t>(kOffsetSimulatorVersion, 0x00010008);
    ServerThread thread(c.className, server);
    ASSERT_TRUE(thread.created());
    Win32Transport transport;
    SimLink link(transport, NoPause);
    SimLinkResult result;
    EXPECT_FALSE(link.Open(0, result));
    EXPECT_EQ(result, c.expected);
    EXPECT_FALSE(link.IsOpen());
  }
}

TEST(Win32Link, AReplyOtherThanOneFailsTheBatchWithResult13) {
  MemoryOffsetServer server;
  ServedClient client(server);
  ASSERT_TRUE(client.Open());
  SimLink& link = client.link;
  SimLinkResult result;
  server.overrideReply = true;
  server.reply = 0;
  std::uint32_t value = 7;
  ASSERT_TRUE(link.Read(0x0560, sizeof value, &value, result));
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, SimLinkResult::kBadReply);
  EXPECT_EQ(value, 7u);  // a failed batch leaves its destinations alone
}

// Nine attempts of two seconds each: the test takes about twenty seconds, as a user would wait.
TEST(Win32Link, AServerThatStopsAnsweringTimesOutEveryAttempt) {
  HangingServer server;
  ServedClient client(server);
  ASSERT_TRUE(client.Open());
  SimLink& link = client.link;
  SimLinkResult result;
  server.released = false;
  std::uint32_t value = 0;
  ASSERT_TRUE(link.Read(0x0560, sizeof value, &value, result));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(link.Process(result));
  const auto waited = std::chrono::steady_clock::now() - start;
  server.released = true;
  // The system reports the time-out as its error ERROR_TIMEOUT, which the link counts as a failed send.
  EXPECT_EQ(result, SimLinkResult::kSendFailed);
  EXPECT_GE(waited, 9 * SimLink::kSendTimeout - std::chrono::milliseconds(500));
}

TEST(Win32Link, AServerWindowThatIsGoneFailsTheSendWithResult12) {
  MemoryOffsetServer server;
  ServedClient client(server);
  ASSERT_TRUE(client.Open());
  SimLink& link = client.link;
  SimLinkResult result;
  client.thread.Stop();
  std::uint32_t value = 0;
  ASSERT_TRUE(link.Read(0x0560, sizeof value, &value, result));
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, SimLinkResult::kSendFailed);
}

}  // namespace
}  // namespace corvane::simlink
