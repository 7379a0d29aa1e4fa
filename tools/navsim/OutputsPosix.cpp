#include <fcntl.h>
#include <netdb.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "Outputs.h"

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

UdpOutput::~UdpOutput() {
  if (socket_ >= 0) ::close(int(socket_));
}

bool UdpOutput::open(const std::string& hostPort, std::string& error) {
  std::string host, port;
  if (!SplitHostPort(hostPort, host, port, error)) return false;
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
  if (socket_ >= 0 && found->ai_addrlen <= sizeof address_) {
    std::memcpy(address_, found->ai_addr, found->ai_addrlen);
    addressLength_ = int(found->ai_addrlen);
  } else {
    error = std::string("socket: ") + std::strerror(errno);
  }
  ::freeaddrinfo(found);
  return socket_ >= 0;
}

bool UdpOutput::send(std::string_view text) {
  return ::sendto(int(socket_), text.data(), text.size(), 0, reinterpret_cast<const sockaddr*>(address_),
                  socklen_t(addressLength_)) == static_cast<ssize_t>(text.size());
}

}  // namespace ruvek::navsim
