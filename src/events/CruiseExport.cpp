#include "events/CruiseExport.h"

#include <algorithm>

#include "core/EventLogSchema.h"
#include "core/TextRoutines.h"

namespace ruvek {
namespace {

// The scan stops at the comma that ends the Comments column of an event row.
constexpr int kLastComma = 16;

}  // namespace

void AppendEventsOnlyLine(std::string& out, std::string_view line, long long lineNumber) {
  std::size_t firstComma = line.size(), secondComma = line.size(), stop = 0;
  int commas = 0;
  for (; stop < line.size(); ++stop) {
    const char c = line[stop];
    if (c == '$') break;
    if (c != ',') continue;
    ++commas;
    if (commas == 1) firstComma = stop;
    if (commas == 2) secondComma = stop;
    if (commas == kLastComma) break;
  }
  const std::string_view first = line.substr(0, std::min(firstComma, stop));
  if (!TrimView(first).empty()) out += first;
  if (commas >= 1) {
    out += ',';
    out += std::to_string(lineNumber);
  }
  // Columns 3 onwards as they stand, up to where the scan stopped; the comma it
  // stopped at opens a last, empty column.
  if (commas >= 2) out += line.substr(secondComma, stop - secondComma);
  if (commas == kLastComma) out += ',';
}

void ExportEventsOnly(ui::Platform& platform, const std::string& logPath, const std::string& outPath) {
  const os::FileSystem& fs = platform.files();
  std::string out;
  try {
    if (!fs.exists(logPath)) throw os::FileError("no file", logPath);
    long long lineNumber = 1;
    fs.forEachLine(logPath, [&](std::string& line) {
      AppendEventsOnlyLine(out, line, lineNumber++);
      out += kLineEnd;
    });
  } catch (const os::FileError&) {
    platform.ask("Unable to read " + logPath, "", ui::Buttons::OK, ui::Icon::Error);
    return;
  }
  try {
    fs.replace(outPath, out);
  } catch (const os::FileError&) {
    platform.ask("Unable to write " + outPath, "", ui::Buttons::OK, ui::Icon::Error);
    return;
  }
  platform.ask("Events Only File created...", "");
}

void ExportCruiseEvents(Station& s) {
  const std::string& cruise = s.main.boxes.cruise.text();
  ExportEventsOnly(
      s.platform,
      LogFileNamesFor(s.settings.programDir, s.settings.dataDir, cruise, s.settings.eventListType).networkEvents,
      EventsOnlyPath(s.settings.dataDir, cruise));
}

}  // namespace ruvek
