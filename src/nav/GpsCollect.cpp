#include "nav/GpsCollect.h"

namespace ruvek {
namespace {

void KeepLast(std::string& text, std::size_t limit) {
  if (text.size() > limit) text.erase(0, text.size() - limit);
}

}  // namespace

void SplitReceived(std::string& buffer, std::string& display) {
  std::string lines;
  std::size_t from = 0;
  while (true) {
    const std::size_t cr = buffer.find('\r', from);
    if (cr == std::string::npos || cr + 1 == buffer.size()) break;
    lines.append(buffer, from, cr - from).append("\r\n");
    from = cr + (buffer[cr + 1] == '\n' ? 2 : 1);
  }
  buffer.erase(0, from);
  KeepLast(buffer, kReceiveLimit);
  if (lines.empty()) return;
  // Each line is added to the display and the display cut to its last
  // characters; cutting once after all of them leaves the same text.
  display += lines;
  KeepLast(display, kDisplayLimit);
}

void AppendToDisplay(std::string& display, const std::string& line) {
  display.append(line).append("\r\n");
  KeepLast(display, kDisplayLimit);
}

std::string NewestSentence(const std::string& text, const std::string& id) {
  const std::size_t lastCr = text.rfind('\r');
  if (lastCr == std::string::npos) return {};
  std::size_t at = 0;
  if (id.empty()) {
    // The start of the last complete line: after the line end before it.
    const std::size_t before = lastCr == 0 ? std::string::npos : text.find_last_of("\r\n", lastCr - 1);
    at = before == std::string::npos ? 0 : before + 1;
  } else {
    at = text.rfind(id, lastCr);
    if (at == std::string::npos) return {};
  }
  return text.substr(at, text.find('\r', at) + 1 - at);
}

std::string PositionRecords(std::string primary, const std::string& date) {
  if (const std::size_t at = primary.find(",,,$"); at != std::string::npos) primary.resize(primary.size() - (at + 1));
  return "\"" + primary + "\"\r\n\"" + date + "\"\r\n";
}

std::optional<std::string> ParseInput(std::string& buffer, std::string& display, const std::string& primaryId,
                                      const std::string& dateId) {
  if (buffer.empty()) return std::nullopt;
  SplitReceived(buffer, display);
  const std::string primary = NewestSentence(display, primaryId);
  if (primary.size() < 5) return std::nullopt;
  return PositionRecords(primary, NewestSentence(display, dateId));
}

}  // namespace ruvek
