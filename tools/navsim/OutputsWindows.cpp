#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "Outputs.h"

namespace ruvek::navsim {
namespace {

// Winsock wants starting once per process before the first socket.
bool StartWinsock(std::string& error) {
  static const int status = [] {
    WSADATA data{};
    return ::WSAStartup(MAKEWORD(2, 2), &data);
  }();
  if (status != 0) error = "WSAStartup failed: " + std::to_string(status);
  return status == 0;
}

}  // namespace

PtyOutput::~PtyOutput() = default;

bool PtyOutput::open(std::string& error) {
  error = "Windows has none to give; play the GPS receiver from a Linux machine";
  return false;
}

void PtyOutput::writeSlice(std::string_view) {}

UdpOutput::~UdpOutput() {
  if (socket_ >= 0) ::closesocket(SOCKET(socket_));
}

bool UdpOutput::open(const std::string& hostPort, std::string& error) {
  std::string host, port;
  if (!SplitHostPort(hostPort, host, port, error) || !StartWinsock(error)) return false;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  const int status = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
  if (status != 0 || !found) {
    error = "cannot resolve " + host + ": error " + std::to_string(status);
    return false;
  }
  const SOCKET s = ::socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (s != INVALID_SOCKET && found->ai_addrlen <= sizeof address_) {
    socket_ = static_cast<long long>(s);
    std::memcpy(address_, found->ai_addr, found->ai_addrlen);
    addressLength_ = int(found->ai_addrlen);
  } else {
    error = "socket: error " + std::to_string(::WSAGetLastError());
  }
  ::freeaddrinfo(found);
  return socket_ >= 0;
}

bool UdpOutput::send(std::string_view text) {
  return ::sendto(SOCKET(socket_), text.data(), int(text.size()), 0, reinterpret_cast<const sockaddr*>(address_),
                  addressLength_) == int(text.size());
}

}  // namespace ruvek::navsim
