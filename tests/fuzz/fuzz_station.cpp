// The files a station reads at start and while it records, one picked by the
// first byte and given the rest of the input: the configuration, the event
// list, the comment options, the initials, the line and station lists, the
// network event log the grid preloads (in the preload mode the second byte
// picks), the last-event file, the event number and order-occupied files, the
// HTML log and the current position file. The station then starts, records
// two events, clears the last one and quits, answering the questions as the
// second byte's bits say. Afterwards every list log row has its 17 columns,
// an HTML log its head and end, and no temporary file is left.
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzStation.h"
#include "os/Lines.h"

namespace {

using namespace ruvek;
using fuzz::Require;

const char* const kFiles[] = {"C/RuvekGPS/RuvekGPS.cfg", "C/RuvekGPS/CruiseEvents.txt", "C/RuvekGPS/CommentOpt.txt",
                              "C/RuvekGPS/Watch.txt",    "C/RuvekGPS/Lines.txt",        "C/RuvekGPS/Line93.txt",
                              "C/DATA/0708SREvents.csv", "C/DATA/0708SRLastEvent.csv",  "C/DATA/EventNumber.txt",
                              "C/DATA/OrderOcc.txt",     "C/DATA/0708SREvents.htm",     "C/DATA/CurrPos.txt"};
const char* const kPreloadModes[] = {"LASTEVENT", "CURRENTSTA", "LASTSTA", "ALLEVENTS"};

std::string Script(unsigned char pattern) {
  std::string answers = "answer";
  for (int i = 0; i < 24; ++i) answers += (pattern >> (i % 8)) & 1 ? " No" : " Yes";
  const std::string event = "advance 1000\ntick Timer1\ntype txtComments Comments: a,b\ntype Combo1 Bongo\n";
  return "clock 2026-06-08 03:00:00\n" + answers + "\nstart\n" + event + "click Command1(0)\n" + event +
         "click Command1(0)\nclick Command1(3)\nclick Command1(2)\n";
}

void RequireWholeRows(const fuzz::FuzzStation& st, const std::string& rel) {
  if (!st.exists(rel)) return;
  ForEachLine(st.read(rel), [](std::string_view line) { Require(std::count(line.begin(), line.end(), ',') == 16); });
}

void RequireHeadAndEnd(const fuzz::FuzzStation& st, const std::string& rel) {
  if (!st.exists(rel)) return;
  const std::string html = st.read(rel);
  const std::string closing = "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
  Require(html.size() >= closing.size() && html.compare(html.size() - closing.size(), closing.size(), closing) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::FuzzStation st;
  const fuzz::Selected file = fuzz::Select(data, size, std::size(kFiles));
  if (file.rest.empty()) return -1;
  const unsigned char mode = static_cast<unsigned char>(file.rest[0]);
  const std::string_view content = file.rest.substr(1);
  // A configuration may name host folders ("/..."): only drive-letter folders,
  // which stay inside the station's folder, are tried.
  const bool config = file.choice == 0;
  if (config && content.find('/') != std::string_view::npos) return -1;
  st.seed({{17, kPreloadModes[mode % std::size(kPreloadModes)]}});
  st.write(kFiles[file.choice], content);
  const int code = st.run(Script(mode));
  Require(code == 0 || code == 3);
  Require(!st.temporaryFileLeft());
  if (config) return 0;  // the logs may have other names
  for (const char* log : {"C/RuvekGPS/0708SRCruise.csv", "C/DATA/0708SRCruise.csv"}) RequireWholeRows(st, log);
  for (const char* log : {"C/RuvekGPS/0708SREvents.htm", "C/DATA/0708SREvents.htm"}) RequireHeadAndEnd(st, log);
  return 0;
}
