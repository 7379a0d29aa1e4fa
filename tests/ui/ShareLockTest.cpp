// The share lock between stations: waiting for a holder, the waiting text,
// taking over a dead holder's lock, and a folder that takes no lock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "harness/Processes.h"
#include "os/Os.h"
#include "ui/ShareLock.h"

namespace ruvek {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A machine whose real waits note what status panel 1 showed meanwhile.
class WaitingPlatform : public ui::Platform {
 public:
  WaitingPlatform() : Platform(os::FileSystem()) {}
  ui::Answer messageBox(const std::string&, const std::string&, ui::Buttons, ui::Icon) override {
    return ui::Answer::OK;
  }
  std::optional<std::string> fileDialog(const std::string&) override { return std::nullopt; }
  void wait(int) override {}
  DateTime now() override { return {}; }
  bool startEditor(const std::string&) override { return true; }
  os::SerialPort& serial() override { return port; }
  void timerReset(ui::Timer&) override {}
  void realWait(int ms) override {
    shown.insert(status.panel(1).text);
    Platform::realWait(ms);
  }

  ui::StatusBar status{"StatusBar1"};
  std::set<std::string> shown;
  os::NoSerialPort port;
};

class ShareLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("ruvek-lock-" + std::to_string(test::OwnProcessId()));
    fs::create_directories(dir);
    path = (dir / "EventNumber.txt.lock").string();
    platform.status.setText("Reading Event Number file... 11");
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string content() const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void writeLock(const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }

  fs::path dir;
  std::string path;
  WaitingPlatform platform;
  ui::ShareLockStats stats;
};

TEST_F(ShareLockTest, AHeldLockIsWaitedForWithItsPathShownAndIsRemovedWhenReleased) {
  ui::ShareLock holder(platform, platform.status, stats);
  holder.acquire(path);
  holder.acquire(path);  // held already: nothing more
  ASSERT_TRUE(holder.held());
  const std::string pid = std::to_string(test::OwnProcessId());
  EXPECT_EQ(0u, content().rfind(os::HostName() + "," + pid + ",", 0)) << content();

  ui::ShareLock waiter(platform, platform.status, stats, {1ms, 30ms, 10s});
  std::thread release([&] {
    std::this_thread::sleep_for(150ms);
    holder.release();
  });
  waiter.acquire(path);
  release.join();
  EXPECT_TRUE(waiter.held());
  EXPECT_EQ(1, stats.waits);
  EXPECT_EQ(0, stats.takeovers);
  EXPECT_TRUE(platform.shown.count("Waiting for " + path + "..."));
  EXPECT_EQ("Reading Event Number file... 11", platform.status.panel(1).text);
  waiter.release();
  EXPECT_FALSE(fs::exists(path));

  // A lock another station took over meanwhile is left to it.
  waiter.acquire(path);
  writeLock("other-pc,77,2026-06-08 03:00:00.000,1,x\r\n");
  waiter.release();
  EXPECT_TRUE(fs::exists(path));
}

TEST_F(ShareLockTest, ADeadHoldersLockIsTakenOverAndAFolderWithoutRoomGoesOnWithoutIt) {
  // Another computer's lock that stands unchanged: taken over after the stale time.
  writeLock("other-pc,77,2026-06-08 03:00:00.000,1,boot\r\n");
  const auto start = std::chrono::steady_clock::now();
  {
    ui::ShareLock lock(platform, platform.status, stats, {1ms, 1s, 100ms});
    lock.acquire(path);
    EXPECT_TRUE(lock.held());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    const std::string pid = std::to_string(test::OwnProcessId());
    EXPECT_EQ(pid, content().substr(content().find(',') + 1, pid.size()));
  }
  EXPECT_FALSE(fs::exists(path));  // released with the object
  EXPECT_EQ(1, stats.takeovers);

  // A process of this machine that has ended: taken over at once.
  const long child = test::EndedProcessId();
  std::string dead = os::ShareLockContent(1);
  const std::size_t pidAt = dead.find(',') + 1;
  dead.replace(pidAt, dead.find(',', pidAt) - pidAt, std::to_string(child));
  EXPECT_TRUE(os::ShareLockHolderGone(dead));
  EXPECT_FALSE(os::ShareLockHolderGone(os::ShareLockContent(2)));  // this process runs
  writeLock(dead);
  {
    ui::ShareLock lock(platform, platform.status, stats, {1ms, 1s, 10s});
    lock.acquire(path);
    EXPECT_TRUE(lock.held());
  }
  EXPECT_EQ(2, stats.takeovers);
  EXPECT_EQ(1, stats.waits);  // the first one only

  // This process's own hold whose file went away with the folder: once the
  // folder is back, taken over at once (the stale time here is 10 s).
  const fs::path away = dir.string() + ".away";
  {
    ui::ShareLock lock(platform, platform.status, stats, {1ms, 1s, 10s});
    lock.acquire(path);
    fs::rename(dir, away);
  }
  fs::rename(away, dir);
  ui::ShareLock again(platform, platform.status, stats, {1ms, 1s, 10s});
  again.acquire(path);
  EXPECT_TRUE(again.held());
  EXPECT_EQ(3, stats.takeovers);
  again.release();

  // A folder that is not there takes no lock; the caller goes on without it.
  ui::ShareLock lock(platform, platform.status, stats);
  lock.acquire((dir / "gone" / "EventNumber.txt.lock").string());
  EXPECT_FALSE(lock.held());
}

}  // namespace
}  // namespace ruvek
