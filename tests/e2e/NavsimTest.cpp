// The navigation simulator run as a program: the GPS receiver it plays on a
// pseudo-terminal and the datagrams it sends.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "e2e/Navsim.h"

namespace ruvek::test {
namespace {

// True when the sentence's "*hh" is the exclusive or of its characters
// between "$" and "*".
bool ChecksumHolds(const std::string& sentence) {
  const std::size_t star = sentence.find('*');
  if (sentence.empty() || sentence[0] != '$' || star == std::string::npos || star + 3 != sentence.size()) return false;
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(sentence[i]);
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", sum);
  return sentence.substr(star + 1) == hex;
}

TEST(Navsim, PtyPrintsItsDeviceAndWritesSentencesThereAtTheBaudRate) {
  ASSERT_NE(kNavsim, nullptr);
  const int probe = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (probe < 0) {
    GTEST_SKIP() << "no pseudo-terminals on this machine (posix_openpt: " << std::strerror(errno)
                 << "): the simulator's --pty is not tested here";
  }
  ::close(probe);
  if (!TextOf("RUVEK_NAVSIM", "").empty())
    GTEST_SKIP() << "the simulator given in RUVEK_NAVSIM (Windows, under Wine) has no pseudo-terminal to play on";

  // At 1200 baud, 120 characters a second: the GGA and RMC of one update
  // (about 150 characters) take more than a second.
  const auto started = std::chrono::steady_clock::now();
  Simulator sim({"--pty", "--baud", "1200", "--quiet", "--start", "2018-06-07 18:30:12"});
  const std::string path = sim.firstLine();
  ASSERT_EQ(0u, path.rfind("/dev/", 0)) << "printed: " << path;
  const int port = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(port, 0) << path << ": " << std::strerror(errno);
  termios raw{};
  ::tcgetattr(port, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(port, TCSANOW, &raw);
  const std::string text = ReadUntil(port, 10000, [](const std::string& t) {
    const std::size_t rmc = t.find("$GPRMC");
    return rmc != t.npos && t.find("\r\n", rmc) != t.npos;
  });
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  ::close(port);

  const std::size_t gga = text.find("$GPGGA,183012.00,3254.0000,N,11724.0000,W,");
  ASSERT_NE(gga, std::string::npos) << text;
  const std::string ggaLine = text.substr(gga, text.find("\r\n", gga) - gga);
  EXPECT_TRUE(ChecksumHolds(ggaLine)) << ggaLine;
  EXPECT_NE(text.find(ggaLine + "\r\n$GPRMC,183012.00,A,"), std::string::npos) << text;
  EXPECT_GT(seconds, 1.0) << "the sentences came faster than 1200 baud carries them";
}

TEST(Navsim, UdpSendsTheDatagramOfEachUpdateToTheAddress) {
  ASSERT_NE(kNavsim, nullptr);
  const int receiver = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(receiver, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(0, ::bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address));
  socklen_t length = sizeof address;
  ::getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length);
  const std::string target = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));

  Simulator sim({"--udp", target, "--count", "1", "--quiet", "--hemisphere", "SE", "--start", "2018-06-07 18:30:12",
                 "--local-offset", "-8"});
  const std::string datagram = ReadUntil(receiver, 5000, [](const std::string& t) { return !t.empty(); });
  ::close(receiver);
  EXPECT_EQ("UDP,07-Jun-2018,10:30:12,-32.900000,117.400000,", datagram);
}

}  // namespace
}  // namespace ruvek::test
