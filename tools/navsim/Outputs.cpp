#include "Outputs.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <thread>

namespace ruvek::navsim {

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

bool SplitHostPort(const std::string& hostPort, std::string& host, std::string& port, std::string& error) {
  const std::size_t colon = hostPort.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == hostPort.size()) {
    error = "expected HOST:PORT, got " + hostPort;
    return false;
  }
  host = hostPort.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  port = hostPort.substr(colon + 1);
  int number = 0;
  const auto [end, failure] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (failure != std::errc() || end != port.data() + port.size() || number < 1 || number > 65535) {
    error = "the port must be a number from 1 to 65535, got " + port;
    return false;
  }
  return true;
}

}  // namespace ruvek::navsim
