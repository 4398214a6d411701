// simhost as a separate process: connect over the Linux transport, fly, kill it, and the command line client.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/posix_ipc_paths.h"
#include "corvane/simlink/posix_transport.h"
#include "corvane/simlink/sim_commands.h"
#include "corvane/simlink/sim_link.h"

extern char** environ;

namespace corvane::simlink {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(30);  // a busy sanitizer build starts slowly

std::string BinaryDir() {
  const char* dir = std::getenv("CORVANE_BINARY_DIR");
  return dir != nullptr ? dir : SIMHOST_TEST_BINARY_DIR;
}

// Each test gets its own runtime folder, so parallel tests and other users never meet.
class SimhostProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/simhost_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    runtimeFolder_ = pattern;
    setenv("XDG_RUNTIME_DIR", runtimeFolder_.c_str(), 1);
  }
  void TearDown() override {
    Stop();
    std::filesystem::remove_all(runtimeFolder_);
  }

  void StartSimhost(std::vector<std::string> options) {
    options.insert(options.begin(), BinaryDir() + "/tools/simhost/simhost");
    std::vector<char*> argv;
    for (std::string& word : options) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (runtimeFolder_ + "/simhost.log").c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0600);
    const int spawned = posix_spawn(&child_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) child_ = -1;
    ASSERT_EQ(spawned, 0) << argv[0];
  }

  void Stop() {
    if (child_ <= 0) return;
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
    child_ = -1;
  }

  // Polls until the server answers the handshake; the transport is the one the program uses.
  bool OpenWhenReady(SimLink& link) {
    const auto deadline = Clock::now() + kPatience;
    SimLinkResult result;
    while (!link.Open(0, result)) {
      const bool exited = child_ <= 0 || waitpid(child_, nullptr, WNOHANG) == child_;
      if (exited) child_ = -1;  // reaped: never signal that id again
      if (Clock::now() > deadline || exited) {
        ADD_FAILURE() << "simhost did not come up:\n" << Log();
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  std::string Log() const {
    std::string text;
    if (FILE* log = std::fopen((runtimeFolder_ + "/simhost.log").c_str(), "r")) {
      char buffer[256];
      while (std::fgets(buffer, sizeof buffer, log) != nullptr) text += buffer;
      std::fclose(log);
    }
    return text;
  }

  std::string runtimeFolder_;
  pid_t child_ = -1;
};

TEST_F(SimhostProcessTest, ReadsStateAndTurnsToTheAutopilotHeading) {
  StartSimhost({"--at", "52.3,4.76", "--heading", "90", "--rate", "20", "--traffic", "4"});
  PosixTransport transport;
  SimLink link(transport);
  ASSERT_TRUE(OpenWhenReady(link));
  EXPECT_EQ(link.simulatorName(), "FlightSim");

  AircraftState state;
  TrafficList traffic;
  ASSERT_EQ(PollAircraft(link, state, traffic), PollStatus::kConnected);
  EXPECT_NEAR(state.latitude, 52.3, 0.01);
  EXPECT_NEAR(state.longitude, 4.76, 0.5);
  EXPECT_NEAR(state.headingDegTrue, 90, 0.1);
  EXPECT_EQ(traffic.count, 4);

  EXPECT_EQ(SendApHeading(link, 180), "FSUIPC write OK");
  const auto deadline = Clock::now() + kPatience;
  while (state.headingDegTrue < 179.5 && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(PollAircraft(link, state, traffic), PollStatus::kConnected);
    EXPECT_GE(state.headingDegTrue, 89.9);  // a right turn, never through north
  }
  EXPECT_NEAR(state.headingDegTrue, 180, 0.5);
  EXPECT_EQ(state.apHeadingDeg, 180);
}

TEST_F(SimhostProcessTest, ServerDeathFailsTheBatchAndTheLinkRecovers) {
  StartSimhost({"--xplane"});
  PosixTransport transport;
  SimLink link(transport);
  ASSERT_TRUE(OpenWhenReady(link));
  EXPECT_EQ(link.simulatorName(), "XPlane");
  const std::string blockPath = "/dev/shm/" + link.blockName();
  EXPECT_TRUE(std::filesystem::exists(blockPath));
  EXPECT_EQ(std::filesystem::status(blockPath).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(std::filesystem::status(runtimeFolder_ + "/corvane-fsuipc").permissions(),
            std::filesystem::perms::owner_all);

  Stop();
  std::uint32_t version = 0;
  SimLinkResult result;
  ASSERT_TRUE(link.Read(kOffsetServerVersion, 4, &version, result));
  EXPECT_FALSE(link.Process(result));
  EXPECT_TRUE(result == SimLinkResult::kTimedOut || result == SimLinkResult::kSendFailed) << ResultCode(result);
  EXPECT_EQ(version, 0u);
  // Still open and queueing; a new server is reached after a reopen.
  EXPECT_TRUE(link.Read(kOffsetServerVersion, 4, &version, result));
  StartSimhost({});
  link.Close();
  EXPECT_FALSE(std::filesystem::exists(blockPath));
  ASSERT_TRUE(OpenWhenReady(link));
  EXPECT_EQ(link.simulatorName(), "FlightSim");
}

// A raw client that builds its own frames and blocks.
struct RawClient {
  RawClient() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = SocketPath(kServerClassMain);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    socket = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
    connected = connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  }
  ~RawClient() { close(socket); }
  // The reply value, or -1 when the server hung up instead.
  long long Ask(const std::string& blockName) {
    RequestFrame request;
    request.sequence = 7;
    request.nameLength = static_cast<std::uint32_t>(std::min(blockName.size(), sizeof request.blockName));
    std::memcpy(request.blockName, blockName.data(), request.nameLength);
    if (send(socket, &request, sizeof request, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof request)) return -1;
    ReplyFrame reply;
    if (recv(socket, &reply, sizeof reply, 0) != static_cast<ssize_t>(sizeof reply)) return -1;
    return reply.sequence == 7 ? reply.reply : -1;
  }
  int socket = -1;
  bool connected = false;
};

// A block of this process, filled by `fill`, with the given mode.
std::string MakeBlock(const std::string& name, mode_t mode, void (*fill)(std::byte*)) {
  const int fd = shm_open(("/" + name).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
  EXPECT_GE(fd, 0);
  fchmod(fd, mode);
  EXPECT_EQ(ftruncate(fd, kBlockSizeBytes), 0);
  void* view = mmap(nullptr, kBlockSizeBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  fill(static_cast<std::byte*>(view));
  munmap(view, kBlockSizeBytes);
  close(fd);
  return name;
}

TEST_F(SimhostProcessTest, HostileClientsGetReplyZeroAndTheServerCarriesOn) {
  StartSimhost({});
  PosixTransport transport;
  SimLink link(transport);
  ASSERT_TRUE(OpenWhenReady(link));

  {
    RawClient shortFrame;
    ASSERT_TRUE(shortFrame.connected);
    send(shortFrame.socket, "abc", 3, MSG_NOSIGNAL);
    char byte;
    EXPECT_EQ(recv(shortFrame.socket, &byte, 1, 0), 0);  // hung up on
  }
  const std::string suffix = std::to_string(getpid());
  auto validRead = [](std::byte* block) {
    const std::uint32_t words[5] = {1, kOffsetServerVersion, 4, 0, 0};
    std::memcpy(block, words, sizeof words);
  };
  auto runsPastTheEnd = [](std::byte* block) {
    const std::uint32_t words[3] = {2, 0x4000, 0x7FFFFFFF};
    std::memcpy(block, words, sizeof words);
  };
  const std::string good = MakeBlock("FsasmLib:IPC:GOOD:" + suffix, 0600, validRead);
  const std::string shared = MakeBlock("FsasmLib:IPC:SHARED:" + suffix, 0644, validRead);
  const std::string broken = MakeBlock("FsasmLib:IPC:BROKEN:" + suffix, 0600, runsPastTheEnd);
  RawClient client;
  ASSERT_TRUE(client.connected);
  EXPECT_EQ(client.Ask(good), 1);
  EXPECT_EQ(client.Ask("../../etc/passwd"), 0);
  EXPECT_EQ(client.Ask("FsasmLib:IPC:MISSING:" + suffix), 0);
  EXPECT_EQ(client.Ask(shared), 0);  // others could read it: not served
  EXPECT_EQ(client.Ask(broken), 0);
  EXPECT_EQ(client.Ask(good), 1);
  // Shrinking the block under the server's mapping costs that client its connection, nothing more.
  const int fd = shm_open(("/" + good).c_str(), O_RDWR, 0);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(ftruncate(fd, 0), 0);
  close(fd);
  EXPECT_EQ(client.Ask(good), -1);
  for (const std::string& name : {good, shared, broken}) shm_unlink(("/" + name).c_str());

  AircraftState state;
  TrafficList traffic;
  EXPECT_EQ(PollAircraft(link, state, traffic), PollStatus::kConnected);
}

std::string RunCli(const std::string& arguments, int& exitCode) {
  const std::string command = BinaryDir() + "/corvane/cli/corvane-cli " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[256];
  while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pipe != nullptr ? pclose(pipe) : -1;
  exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return output;
}

TEST_F(SimhostProcessTest, CliStatePrintsPositionAndHeading) {
  int exitCode = 0;
  std::string output = RunCli("state", exitCode);
  EXPECT_EQ(exitCode, 1);
  EXPECT_NE(output.find("result 2"), std::string::npos) << output;

  StartSimhost({"--at", "52.3,4.76", "--heading", "90", "--traffic", "2"});
  output = RunCli("state --timeout 30", exitCode);
  EXPECT_EQ(exitCode, 0) << output;
  EXPECT_NE(output.find("latitude 52.300000\n"), std::string::npos) << output;
  EXPECT_NE(output.find("longitude 4.76"), std::string::npos) << output;
  EXPECT_NE(output.find("heading 90.00\n"), std::string::npos) << output;
  EXPECT_NE(output.find("ap_heading 90\n"), std::string::npos) << output;
  EXPECT_NE(output.find("traffic 2\n1001 "), std::string::npos) << output;
}

}  // namespace
}  // namespace corvane::simlink
