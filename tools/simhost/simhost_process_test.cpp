// simhost as a separate process: connect over the Linux transport, fly, kill it, and the command line client,
// also flying a plan through a simulator that goes away and comes back.
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
#include <fstream>
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

// corvane-cli run on a script fed line by line, its answers read back line by line.
class CliSession {
 public:
  explicit CliSession(const std::vector<std::string>& arguments) {
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
    std::vector<std::string> words = arguments;
    words.insert(words.begin(), BinaryDir() + "/corvane/cli/corvane-cli");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 2);
    for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    if (posix_spawn(&child_, argv[0], &actions, nullptr, argv.data(), environ) != 0) child_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    input_ = fdopen(toChild[1], "w");
    output_ = fdopen(fromChild[0], "r");
  }
  ~CliSession() {
    if (input_ != nullptr) std::fclose(input_);
    if (output_ != nullptr) std::fclose(output_);
    if (child_ > 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
  }
  void Send(const std::string& line) {
    std::fprintf(input_, "%s\n", line.c_str());
    std::fflush(input_);
  }
  // Prints `what` and returns the first answer line that starts with `prefix` (empty at the end of output).
  std::string Ask(const std::string& what, const std::string& prefix) {
    Send("print " + what);
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, output_) != nullptr) {
      std::string line = buffer;
      if (!line.empty() && line.back() == '\n') line.pop_back();
      transcript += line + "\n";
      if (line.starts_with(prefix)) return line;
    }
    return {};
  }
  std::string transcript;

 private:
  pid_t child_ = -1;
  FILE* input_ = nullptr;
  FILE* output_ = nullptr;
};

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::uint64_t WritesOf(const std::string& linkLine) {
  const auto at = linkLine.find("writes=");
  return at == std::string::npos ? 0 : std::stoull(linkLine.substr(at + 7));
}

// Advances the script 100 ms at a time until the link line contains `wanted`; false on time-out.
bool AdvanceUntil(CliSession& cli, const std::string& wanted, std::string& linkLine) {
  const auto deadline = Clock::now() + kPatience;
  while (Clock::now() < deadline) {
    cli.Send("advance 100");
    linkLine = cli.Ask("link", "link ");
    if (linkLine.empty()) return false;
    if (linkLine.find(wanted) != std::string::npos) return true;
  }
  return false;
}

// The plan flown in LNAV+VNAV+SPD while simhost is killed and started again elsewhere: the loss is
// shown within a couple of seconds, nothing is written meanwhile, and Ln flies the plan again at once.
// CORVANE_LINK_DOWN_SECONDS sets how long simhost stays away (default 3).
TEST_F(SimhostProcessTest, PlanFlownThroughASimulatorThatGoesAndComesBack) {
  const char* downText = std::getenv("CORVANE_LINK_DOWN_SECONDS");
  const double downSeconds = downText != nullptr ? std::atof(downText) : 3.0;
  StartSimhost({"--xplane", "--at", "52.33,4.76", "--heading", "20", "--altitude", "1500", "--speed", "250"});
  {
    // corvane started before its simulator waits for CP: the session starts once simhost answers.
    PosixTransport transport;
    SimLink probe(transport);
    ASSERT_TRUE(OpenWhenReady(probe));
    probe.Close();
  }
  CliSession cli({"run", "--data", runtimeFolder_, "--ini", runtimeFolder_ + "/corvane.INI", "--sim", "simhost", "-"});
  std::string link;
  ASSERT_TRUE(AdvanceUntil(cli, "connected=1", link)) << cli.transcript << Log();
  for (const char* line : {"btFPClick",
                           "set Memo1  1    EHAM  33000  320    0     -11   52.32526016   4.75596380\\n"
                           " 3     SPY  24000  320   13  113.30   52.54027939   4.85378122\\n"
                           " 3     ADN  33000  320  376  114.30   57.31055450   -2.26722193\\n"
                           " 3     SUM  33000  320  157  117.35   59.87888718   -1.28666699\\n"
                           " 1    BIKF  33000  320  158     170   63.97817993   -22.62368965",
                           "btCalcDescClick", "btCancelClick", "bbLNAVClick", "bbLNAVClick", "bbVNAVClick",
                           "bbSPDClick", "advance 3000"}) {
    cli.Send(line);
  }
  ASSERT_EQ(cli.Ask("AutopilotMode", ""), "4") << cli.transcript;
  const std::uint64_t writesFlying = WritesOf(cli.Ask("link", "link "));
  EXPECT_GT(writesFlying, 0u) << cli.transcript;

  const std::uint64_t writesAtKill = WritesOf(cli.Ask("link", "link "));
  Stop();
  const auto killed = Clock::now();
  ASSERT_TRUE(AdvanceUntil(cli, "lost=1", link)) << cli.transcript;
  const double shownSeconds = SecondsSince(killed);
  const std::uint64_t writesAtLoss = WritesOf(link);
  EXPECT_NE(cli.Ask("caption", "Corvane").find(" - Link lost to XPlane"), std::string::npos) << cli.transcript;
  EXPECT_EQ(cli.Ask("SB1", "Simulator"),
            "Simulator not answering: autopilot writes stopped, plan kept; reconnecting (CP tries at once)");
  while (SecondsSince(killed) < downSeconds) {
    cli.Send("advance 500");
    link = cli.Ask("link", "link ");
  }
  const std::uint64_t writesWhileDown = WritesOf(link) - writesAtLoss;
  EXPECT_EQ(writesWhileDown, 0u) << cli.transcript;
  EXPECT_EQ(cli.Ask("AutopilotMode", ""), "4");

  // Back north of SPY: Ln takes the plan up from there, towards ADN.
  StartSimhost({"--xplane", "--at", "52.70,4.90", "--heading", "0", "--altitude", "5000", "--speed", "250"});
  const auto restarted = Clock::now();
  ASSERT_TRUE(AdvanceUntil(cli, "connected=1", link)) << cli.transcript << Log();
  const double backSeconds = SecondsSince(restarted);
  EXPECT_NE(link.find("held=1"), std::string::npos) << link;
  cli.Send("bbLNAVClick");
  ASSERT_TRUE(AdvanceUntil(cli, "held=0", link)) << cli.transcript;
  const std::uint64_t writesBack = WritesOf(link);
  std::string flying;
  const auto deadline = Clock::now() + kPatience;
  while (WritesOf(flying) <= writesBack && Clock::now() < deadline) {
    cli.Send("advance 100");
    flying = cli.Ask("link", "link ");
  }
  const double flyingSeconds = SecondsSince(restarted);
  EXPECT_GT(WritesOf(flying), writesBack) << cli.transcript;
  EXPECT_NE(flying.find("connected=1 lost=0"), std::string::npos) << flying;
  EXPECT_EQ(cli.Ask("ActiveWaypointIndex", ""), "2") << cli.transcript;
  std::printf(
      "link loss: shown after %.2f s (%llu writes tried before), %llu writes while down, back after %.2f s, flying "
      "%.2f s after the restart\n",
      shownSeconds, static_cast<unsigned long long>(writesAtLoss - writesAtKill),
      static_cast<unsigned long long>(writesWhileDown), backSeconds, flyingSeconds);
  EXPECT_LT(shownSeconds, 3.0);
}

}  // namespace
}  // namespace corvane::simlink
