#include "Outputs.h"

#include <fcntl.h>
#include <netdb.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <thread>

namespace ruvek::navsim {

PtyOutput::~PtyOutput() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

bool PtyOutput::open(std::string& error) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) {
    error = std::string("posix_openpt: ") + std::strerror(errno);
    return false;
  }
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    error = std::string("grantpt/unlockpt: ") + std::strerror(errno);
    return false;
  }
  const char* name = ::ptsname(master_);
  if (!name) {
    error = std::string("ptsname: ") + std::strerror(errno);
    return false;
  }
  slavePath_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY);
  if (slave_ < 0) {
    error = "cannot open " + slavePath_ + ": " + std::strerror(errno);
    return false;
  }
  // Raw: the CR LF of the sentences reach the reader as they are written.
  termios settings{};
  if (::tcgetattr(slave_, &settings) == 0) {
    ::cfmakeraw(&settings);
    ::tcsetattr(slave_, TCSANOW, &settings);
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  return true;
}

void PtyOutput::writeSlice(std::string_view slice) {
  bool flushed = false;
  while (!slice.empty()) {
    const ssize_t written = ::write(master_, slice.data(), slice.size());
    if (written > 0) {
      slice.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && errno == EAGAIN && !flushed) {
      // Nobody has read for a while: drop what waits, so that a reader who
      // comes later starts with fresh sentences.
      ::tcflush(slave_, TCIFLUSH);
      flushed = true;
    } else {
      return;
    }
  }
}

void PtyOutput::writePaced(std::string_view text, long long baud, const std::atomic<bool>& stop) {
  using namespace std::chrono;
  const double charsPerSecond = static_cast<double>(baud) / 10;
  const std::size_t slice = std::max<std::size_t>(1, static_cast<std::size_t>(charsPerSecond / 100));
  const auto start = steady_clock::now();
  for (std::size_t sent = 0; sent < text.size() && !stop;) {
    const std::size_t n = std::min(slice, text.size() - sent);
    writeSlice(text.substr(sent, n));
    sent += n;
    std::this_thread::sleep_until(
        start + duration_cast<steady_clock::duration>(duration<double>(static_cast<double>(sent) / charsPerSecond)));
  }
}

UdpOutput::~UdpOutput() {
  if (socket_ >= 0) ::close(socket_);
}

bool UdpOutput::open(const std::string& hostPort, std::string& error) {
  const std::size_t colon = hostPort.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == hostPort.size()) {
    error = "expected HOST:PORT, got " + hostPort;
    return false;
  }
  std::string host = hostPort.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  const std::string port = hostPort.substr(colon + 1);
  int number = 0;
  const auto [end, failure] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (failure != std::errc() || end != port.data() + port.size() || number < 1 || number > 65535) {
    error = "the port must be a number from 1 to 65535, got " + port;
    return false;
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  const int status = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
  if (status != 0 || !found) {
    error = "cannot resolve " + host + ": " + ::gai_strerror(status);
    return false;
  }
  socket_ = ::socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (socket_ >= 0) {
    std::memcpy(&address_, found->ai_addr, found->ai_addrlen);
    addressLength_ = found->ai_addrlen;
  } else {
    error = std::string("socket: ") + std::strerror(errno);
  }
  ::freeaddrinfo(found);
  return socket_ >= 0;
}

bool UdpOutput::send(std::string_view text) {
  return ::sendto(socket_, text.data(), text.size(), 0, reinterpret_cast<const sockaddr*>(&address_), addressLength_) ==
         static_cast<ssize_t>(text.size());
}

}  // namespace ruvek::navsim
