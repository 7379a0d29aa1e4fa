#pragma once
// The simulator's outputs beside the position file: a pseudo-terminal that
// stands for a GPS receiver on a serial line, and UDP datagrams to a host.
// OutputsPosix.cpp and OutputsWindows.cpp hold the system calls; Windows has
// no pseudo-terminal to give.
#include <atomic>
#include <string>
#include <string_view>

namespace ruvek::navsim {

// A pseudo-terminal whose slave device a logger opens as its serial port.
class PtyOutput {
 public:
  PtyOutput() = default;
  ~PtyOutput();
  PtyOutput(const PtyOutput&) = delete;
  PtyOutput& operator=(const PtyOutput&) = delete;

  // Opens the pseudo-terminal in raw mode; false with `error` set when the
  // machine has none to give.
  bool open(std::string& error);
  // The path of the slave device, for example /dev/pts/3.
  const std::string& slavePath() const { return slavePath_; }
  // Writes the text no faster than a serial line of `baud` carries it (ten
  // bits a character), in slices of about 10 ms, until done or `stop` is set.
  // Characters nobody reads are dropped once the terminal's buffer is full, as
  // a serial line drops them.
  void writePaced(std::string_view text, long long baud, const std::atomic<bool>& stop);

 private:
  void writeSlice(std::string_view slice);

  int master_ = -1;
  int slave_ = -1;  // held open so that the raw mode stays and writes never fail for want of a reader
  std::string slavePath_;
};

// Sends datagrams to one address.
class UdpOutput {
 public:
  UdpOutput() = default;
  ~UdpOutput();
  UdpOutput(const UdpOutput&) = delete;
  UdpOutput& operator=(const UdpOutput&) = delete;

  // Resolves "HOST:PORT" ("127.0.0.1:5000", "logger:5000", "[::1]:5000");
  // false with `error` set when it cannot be used.
  bool open(const std::string& hostPort, std::string& error);
  // Sends the text as one datagram; false when the system refused it.
  bool send(std::string_view text);

 private:
  long long socket_ = -1;                       // the system's socket handle
  alignas(8) unsigned char address_[128] = {};  // the system's socket address
  int addressLength_ = 0;
};

// Splits "HOST:PORT" ("[::1]:5000" gives ::1) and checks the port; false with
// `error` set when it is no such text.
bool SplitHostPort(const std::string& hostPort, std::string& host, std::string& port, std::string& error);

}  // namespace ruvek::navsim
