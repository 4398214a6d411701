// Simulator link: the 14-read polling batch against a running simhost, beside a bare Unix-socket
// ping-pong of the same frame sizes, measured in the same run.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "corvane/simlink/aircraft_state.h"
#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/posix_transport.h"
#include "corvane/simlink/sim_link.h"
#include "standin/flight_model.h"

extern char** environ;

namespace {

using namespace corvane::simlink;
using Clock = std::chrono::steady_clock;

// One simhost for the whole run, in a runtime folder of its own; stopped at exit.
struct SimhostProcess {
  SimhostProcess() {
    char pattern[] = "/tmp/simlink_bench_XXXXXX";
    if (mkdtemp(pattern) == nullptr) return;
    folder = pattern;
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    std::string program = std::string(CORVANE_BINARY_DIR) + "/tools/simhost/simhost";
    std::string traffic = "--traffic", count = "20";
    char* argv[] = {program.data(), traffic.data(), count.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1, 0);
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    link = std::make_unique<SimLink>(transport);
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    SimLinkResult result;
    while (pid > 0 && !link->Open(0, result) && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ~SimhostProcess() {
    link.reset();
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    if (!folder.empty()) std::filesystem::remove_all(folder);
  }
  bool ready() const { return link != nullptr && link->IsOpen(); }

  std::string folder;
  pid_t pid = -1;
  PosixTransport transport;
  std::unique_ptr<SimLink> link;
};

SimhostProcess& Simhost() {
  static SimhostProcess process;
  return process;
}

// An echo process on a SOCK_SEQPACKET pair: answers each request frame with a reply frame.
struct EchoProcess {
  EchoProcess() {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET, 0, ends) != 0) return;
    pid = fork();
    if (pid == 0) {
      close(ends[0]);
      RequestFrame request;
      ReplyFrame reply;
      while (recv(ends[1], &request, sizeof request, 0) == static_cast<ssize_t>(sizeof request)) {
        reply.sequence = request.sequence;
        reply.reply = 1;
        if (send(ends[1], &reply, sizeof reply, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof reply)) break;
      }
      _exit(0);
    }
    close(ends[1]);
    socket = ends[0];
  }
  ~EchoProcess() {
    if (socket >= 0) close(socket);
    if (pid > 0) waitpid(pid, nullptr, 0);
  }
  bool RoundTrip() {
    request.sequence++;
    ReplyFrame reply;
    return send(socket, &request, sizeof request, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof request) &&
           recv(socket, &reply, sizeof reply, 0) == static_cast<ssize_t>(sizeof reply);
  }

  pid_t pid = -1;
  int socket = -1;
  RequestFrame request;
};

void BM_PollBatchAgainstSimhost(benchmark::State& state) {
  SimhostProcess& simhost = Simhost();
  if (!simhost.ready()) {
    state.SkipWithError("simhost did not start");
    return;
  }
  AircraftState aircraft;
  for (auto _ : state) {
    if (!ReadAircraftState(*simhost.link, aircraft)) {
      state.SkipWithError("batch failed");
      break;
    }
    benchmark::DoNotOptimize(aircraft);
  }
}
BENCHMARK(BM_PollBatchAgainstSimhost)->Unit(benchmark::kMicrosecond);

// The same batch through the in-process transport: the protocol's own cost, no kernel in between.
void BM_PollBatchInProcess(benchmark::State& state) {
  corvane::standin::FlightModelOptions options;
  options.trafficCount = 20;
  corvane::standin::InProcessSimulator simulator(options);
  SimLink link(simulator.transport, [](std::chrono::milliseconds) {});
  SimLinkResult result;
  if (!link.Open(0, result)) {
    state.SkipWithError("open failed");
    return;
  }
  AircraftState aircraft;
  for (auto _ : state) {
    ReadAircraftState(link, aircraft);
    benchmark::DoNotOptimize(aircraft);
  }
}
BENCHMARK(BM_PollBatchInProcess);

void BM_UnixSocketPingPong(benchmark::State& state) {
  EchoProcess echo;
  for (auto _ : state) {
    if (!echo.RoundTrip()) {
      state.SkipWithError("echo failed");
      break;
    }
  }
}
BENCHMARK(BM_UnixSocketPingPong)->Unit(benchmark::kMicrosecond);

// Both round trips interleaved, so machine load hits them alike; reports the medians and their ratio.
void BM_PollBatchVersusPingPong(benchmark::State& state) {
  SimhostProcess& simhost = Simhost();
  if (!simhost.ready()) {
    state.SkipWithError("simhost did not start");
    return;
  }
  EchoProcess echo;
  AircraftState aircraft;
  std::vector<double> batchUs, pingPongUs;
  for (auto _ : state) {
    const auto start = Clock::now();
    const bool batchOk = ReadAircraftState(*simhost.link, aircraft);
    const auto middle = Clock::now();
    const bool echoOk = echo.RoundTrip();
    const auto end = Clock::now();
    if (!batchOk || !echoOk) {
      state.SkipWithError("round trip failed");
      break;
    }
    batchUs.push_back(std::chrono::duration<double, std::micro>(middle - start).count());
    pingPongUs.push_back(std::chrono::duration<double, std::micro>(end - middle).count());
  }
  if (batchUs.empty()) return;
  auto median = [](std::vector<double>& values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
  };
  const double batchMedian = median(batchUs), pingPongMedian = median(pingPongUs);
  state.counters["batch_us"] = batchMedian;
  state.counters["pingpong_us"] = pingPongMedian;
  state.counters["ratio"] = batchMedian / pingPongMedian;
}
BENCHMARK(BM_PollBatchVersusPingPong)->Unit(benchmark::kMicrosecond);

}  // namespace
