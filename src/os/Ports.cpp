#include "os/Ports.h"

#include <cctype>
#include <cstdlib>

#include "os/Os.h"

namespace ruvek::os {
namespace {

constexpr long kFastestBaud = 4000000;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole number of at most 7 digits, or -1.
long WholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 7) return -1;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  return std::strtol(text.c_str(), nullptr, 10);
}

}  // namespace

std::vector<std::string> SettingsParts(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  while (true) {
    const std::size_t comma = text.find(',', from);
    parts.push_back(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
    if (comma == std::string::npos) return parts;
    from = comma + 1;
  }
}

std::optional<SerialSettings> ParseSerialSettings(const std::string& text, std::string* why) {
  const auto refuse = [why](std::string complaint) {
    if (why) *why = std::move(complaint);
    return std::nullopt;
  };
  std::vector<std::string> parts = SettingsParts(text);
  for (std::string& part : parts) part = Trimmed(part);
  if (parts.size() != 4) return refuse("a settings text has four parts: baud rate, parity, data bits, stop bits");
  SerialSettings s;
  const long baud = WholeNumber(parts[0]);
  if (baud <= 0 || baud > kFastestBaud)
    return refuse("the baud rate \"" + parts[0] + "\" is not a whole number from 1 to " + std::to_string(kFastestBaud));
  s.baud = int(baud);
  const std::string parity = parts[1].size() == 1 ? std::string(1, char(std::tolower(parts[1][0]))) : parts[1];
  if (parity.size() != 1 || std::string("neoms").find(parity[0]) == std::string::npos)
    return refuse("the parity \"" + parts[1] + "\" is not one of n, e, o, m, s");
  s.parity = parity[0];
  const long dataBits = WholeNumber(parts[2]);
  if (dataBits < 5 || dataBits > 8) return refuse("the data bits \"" + parts[2] + "\" are not 5, 6, 7 or 8");
  s.dataBits = int(dataBits);
  const long stopBits = WholeNumber(parts[3]);
  if (stopBits != 1 && stopBits != 2) return refuse("the stop bits \"" + parts[3] + "\" are not 1 or 2");
  s.stopBits = int(stopBits);
  return s;
}

std::string SerialDeviceName(int port) {
  const std::string variable = "RUVEK_COM" + std::to_string(port);
  if (const char* device = std::getenv(variable.c_str()); device && *device) return device;
  return os::DefaultSerialDevice(port);
}

}  // namespace ruvek::os
