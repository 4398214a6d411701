// The Linux transport against a scripted socket server: lookup, folder privacy, time-out and stale replies.
#include "corvane/simlink/posix_transport.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include "corvane/simlink/ipc_wire.h"
#include "corvane/simlink/posix_ipc_paths.h"

namespace corvane::simlink {
namespace {

using std::chrono::milliseconds;

enum class ServerBehaviour { kAnswer, kSilent, kWrongSequence };

// Listens under one class name and treats every request as told; counts connections.
class ScriptedServer {
 public:
  ScriptedServer(std::string_view serverClass, ServerBehaviour behaviour) : behaviour_(behaviour) {
    std::string error;
    EXPECT_TRUE(EnsurePrivateFolder(SocketFolder(), error)) << error;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = SocketPath(serverClass);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    listener_ = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    EXPECT_EQ(bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(listen(listener_, 4), 0);
    thread_ = std::thread([this] { Serve(); });
  }
  ~ScriptedServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
  }
  int connections() const { return connections_; }

 private:
  void Serve() {
    int client = -1;
    while (!stop_) {
      pollfd waiting[2] = {{listener_, POLLIN, 0}, {client, POLLIN, 0}};
      if (poll(waiting, client >= 0 ? 2 : 1, 20) <= 0) continue;
      if (waiting[0].revents & POLLIN) {
        if (client >= 0) close(client);
        client = accept(listener_, nullptr, nullptr);
        ++connections_;
        continue;
      }
      RequestFrame request;
      if (recv(client, &request, sizeof request, 0) <= 0) {
        close(client);
        client = -1;
        continue;
      }
      if (behaviour_ == ServerBehaviour::kSilent) continue;
      ReplyFrame reply;
      reply.sequence = request.sequence + (behaviour_ == ServerBehaviour::kWrongSequence ? 1 : 0);
      reply.reply = 1;
      send(client, &reply, sizeof reply, MSG_NOSIGNAL);
    }
    if (client >= 0) close(client);
  }

  ServerBehaviour behaviour_;
  int listener_ = -1;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
};

class PosixTransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/posix_transport_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Open steps up to a mapped block, as SimLink takes them.
  void OpenBlock(PosixTransport& transport, const std::string& name) {
    ASSERT_TRUE(transport.AddBlockNameAtom(name));
    ASSERT_EQ(transport.CreateBlock(name, kBlockSizeBytes), BlockCreation::kCreated);
    ASSERT_NE(transport.MapBlock(), nullptr);
  }

  std::string folder_;
};

TEST_F(PosixTransportTest, FindsServersOnlyInAPrivateFolder) {
  PosixTransport transport;
  EXPECT_EQ(transport.FindServer(), ServerClass::kNone);  // no folder at all
  {
    ScriptedServer fs98(kServerClassFs98, ServerBehaviour::kAnswer);
    EXPECT_EQ(transport.FindServer(), ServerClass::kFs98Main);
    ScriptedServer main(kServerClassMain, ServerBehaviour::kAnswer);
    EXPECT_EQ(transport.FindServer(), ServerClass::kUipcMain);
    chmod(SocketFolder().c_str(), 0755);
    EXPECT_EQ(transport.FindServer(), ServerClass::kNone);
    std::string error;
    EXPECT_FALSE(EnsurePrivateFolder(SocketFolder(), error));
    EXPECT_NE(error.find("private"), std::string::npos);
    chmod(SocketFolder().c_str(), 0700);
  }
  transport.Release();
}

TEST_F(PosixTransportTest, BlockIsExclusivePrivateAndRemovedOnRelease) {
  PosixTransport first, second;
  const std::string name = "FsasmLib:IPC:TEST:" + std::to_string(getpid());
  OpenBlock(first, name);
  const std::string path = "/dev/shm/" + name;
  EXPECT_EQ(std::filesystem::status(path).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(second.CreateBlock(name, kBlockSizeBytes), BlockCreation::kAlreadyExists);
  second.Release();
  EXPECT_TRUE(std::filesystem::exists(path));  // the refused one does not remove the owner's block
  first.Release();
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(first.AddBlockNameAtom("bad/name"));
}

TEST_F(PosixTransportTest, SilentServerTimesOutAndTheNextAttemptReconnects) {
  ScriptedServer server(kServerClassMain, ServerBehaviour::kSilent);
  PosixTransport transport;
  ASSERT_EQ(transport.FindServer(), ServerClass::kUipcMain);
  OpenBlock(transport, "FsasmLib:IPC:SILENT:" + std::to_string(getpid()));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(transport.SendRequest(milliseconds(50)).status, SendStatus::kTimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(50));
  EXPECT_EQ(transport.SendRequest(milliseconds(50)).status, SendStatus::kTimedOut);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (server.connections() < 2 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(milliseconds(5));
  EXPECT_EQ(server.connections(), 2);
  transport.Release();
}

TEST_F(PosixTransportTest, ReplyToAnotherRequestIsAnError) {
  ScriptedServer server(kServerClassMain, ServerBehaviour::kWrongSequence);
  PosixTransport transport;
  ASSERT_EQ(transport.FindServer(), ServerClass::kUipcMain);
  OpenBlock(transport, "FsasmLib:IPC:STALE:" + std::to_string(getpid()));
  EXPECT_EQ(transport.SendRequest(milliseconds(5000)).status, SendStatus::kOsError);
  transport.Release();
}

TEST_F(PosixTransportTest, AnsweringServerDeliversTheReply) {
  ScriptedServer server(kServerClassMain, ServerBehaviour::kAnswer);
  PosixTransport transport;
  ASSERT_EQ(transport.FindServer(), ServerClass::kUipcMain);
  OpenBlock(transport, "FsasmLib:IPC:ANSWER:" + std::to_string(getpid()));
  const SendOutcome outcome = transport.SendRequest(milliseconds(5000));
  EXPECT_EQ(outcome.status, SendStatus::kDelivered);
  EXPECT_EQ(outcome.reply, 1u);
  transport.Release();
  EXPECT_EQ(transport.SendRequest(milliseconds(50)).status, SendStatus::kOsError);  // released: nothing to send
}

}  // namespace
}  // namespace corvane::simlink
