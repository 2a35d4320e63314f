// Asking a display server whether it is there and whether it answers, against
// stand-in servers on a socket of the test's own.
#include <gtest/gtest.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

#include "platform/linux/display_probe.h"

namespace {

// A listening socket in a folder of its own; it never accepts by itself.
class StandInServer {
 public:
  StandInServer() {
    char folder[] = "/tmp/galaxy-probe-XXXXXX";
    folder_ = mkdtemp(folder);
    path_ = folder_ + "/display";
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path_.c_str());
    EXPECT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(listen(fd_, 4), 0);
  }
  ~StandInServer() {
    if (fd_ >= 0) close(fd_);
    unlink(path_.c_str());
    rmdir(folder_.c_str());
  }
  // Where a Wayland client would find it: XDG_RUNTIME_DIR and WAYLAND_DISPLAY.
  DisplayAddress address() {
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    setenv("WAYLAND_DISPLAY", "display", 1);
    return compositorFromEnvironment().value();
  }
  // Takes one client and answers its first request with one byte.
  std::thread answerOnce() {
    return std::thread([this] {
      const int client = accept(fd_, nullptr, nullptr);
      char request[12];
      if (client >= 0 && read(client, request, sizeof request) > 0) {
        [[maybe_unused]] const ssize_t sent = write(client, "x", 1);
      }
      if (client >= 0) close(client);
    });
  }
  void goAway() {
    close(fd_);
    fd_ = -1;
  }

 private:
  std::string folder_, path_;
  int fd_ = -1;
};

}  // namespace

TEST(DisplayProbe, TellsAServerThatAnswersFromAFrozenOneAndFromNone) {
  StandInServer server;
  const DisplayAddress address = server.address();
  EXPECT_EQ(address.protocol, DisplayProtocol::Wayland);

  std::thread answering = server.answerOnce();
  EXPECT_TRUE(displayAnswers(address, 2000)) << "a working server answers the first request";
  answering.join();

  EXPECT_TRUE(displayListens(address)) << "a frozen server's kernel still takes the connection";
  EXPECT_FALSE(displayAnswers(address, 100)) << "but nothing answers";

  server.goAway();
  EXPECT_FALSE(displayListens(address));
  EXPECT_FALSE(displayAnswers(address, 100));
}

TEST(DisplayProbe, FindsTheLocalXServerOfDisplayAndNotARemoteOne) {
  auto pathOf = [](const char* display) -> std::string {
    setenv("DISPLAY", display, 1);
    const auto address = xServerFromEnvironment();
    if (!address) return "none";
    const auto& un = reinterpret_cast<const sockaddr_un&>(address->socket);
    return un.sun_path[0] ? un.sun_path : std::string("@") + (un.sun_path + 1);
  };
  const char* saved = getenv("DISPLAY");
  const std::string before = saved ? saved : "";
  // Without a server there the file's address is the answer.
  EXPECT_EQ(pathOf(":4242.0"), "/tmp/.X11-unix/X4242");
  EXPECT_EQ(pathOf("unix:4242"), "/tmp/.X11-unix/X4242");
  EXPECT_EQ(pathOf("otherhost:0"), "none");
  EXPECT_EQ(pathOf(":x"), "none");
  if (saved)
    setenv("DISPLAY", before.c_str(), 1);
  else
    unsetenv("DISPLAY");
}
