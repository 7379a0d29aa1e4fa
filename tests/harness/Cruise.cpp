#include "harness/Cruise.h"

#include <sstream>

namespace ruvek::harness {
namespace {

const char* const kCruise = "0708SR";
const char* const kNetworkHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DatePST,TimePST,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ";
const char* const kLocalHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DateLoc,TimeLoc,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ";

CsvShape TailShape(const char* header) { return {kCruise, header ? header : "", TailFieldCounts(kRawNavLine)}; }
CsvShape ListShape() { return {kCruise, kNetworkHeader, {kRecordFields}}; }

}  // namespace

const char* const kRawNavLine = "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*5C";

void SeedStation(const test::Station& st, const std::string& dataDir, const std::vector<std::string>& events) {
  st.seed({{3, dataDir}, {4, "C:\\NAV\\"}});
  std::string list;
  for (const std::string& e : events) list += e + "\r\n";
  st.write("C:\\RuvekGPS\\CruiseEvents.txt", list);
  st.write(
      "C:\\NAV\\CurrPos.txt",
      std::string(kRawNavLine) + "\r\n$GPRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,070618,12.5,E,D*2E\r\n");
}

std::string StartScript(const std::string& clock) { return "clock " + clock + "\nanswer Yes\nstart\n"; }

std::string EventScript(const std::string& tag, const std::string& event, const std::string& beforeClick) {
  return "advance 1000\ntick Timer1\ntype txtComments Comments: " + tag + "\nchoose Combo1 " + event + "\n" +
         beforeClick + "click Command1(0)\necho DONE " + tag + "\n";
}

std::set<std::string> DoneTags(const std::string& output) {
  std::set<std::string> tags;
  std::istringstream in(output);
  std::string line;
  // A line cut by the kill has no line end and may be a tag cut short.
  while (std::getline(in, line))
    if (!in.eof() && line.rfind("DONE ", 0) == 0) tags.insert(line.substr(5));
  return tags;
}

LogPaths::LogPaths(const std::string& root, const std::string& data) {
  const std::string prog = root + "/C/RuvekGPS/", cruise = kCruise;
  localEvents = prog + cruise + "Events.csv";
  localList = prog + cruise + "Cruise.csv";
  localHtml = prog + cruise + "Events.htm";
  networkEvents = data + "/" + cruise + "Events.csv";
  networkList = data + "/" + cruise + "Cruise.csv";
  networkHtml = data + "/" + cruise + "Events.htm";
  numberFile = data + "/EventNumber.txt";
  localNumberFile = prog + "EventNumber.txt";
  lastEvent = data + "/" + cruise + "LastEvent.csv";
  orderOccupied = data + "/OrderOcc.txt";
  ctdAtDepth = data + "/" + cruise.substr(0, 4) + "CTDATDEPTH.csv";
}

std::vector<LogAudit> AuditLocal(const LogPaths& p) {
  return {AuditCsv("local Events.csv", p.localEvents, TailShape(kLocalHeader)),
          AuditCsv("local Cruise.csv", p.localList, ListShape()), AuditHtml("local Events.htm", p.localHtml)};
}

std::vector<LogAudit> AuditNetwork(const LogPaths& p) {
  return {AuditCsv("network Events.csv", p.networkEvents, TailShape(nullptr)),
          AuditCsv("network Cruise.csv", p.networkList, ListShape()), AuditHtml("network Events.htm", p.networkHtml)};
}

std::map<std::string, std::string> OneLineProblems(const LogPaths& p) {
  std::map<std::string, std::string> out;
  auto check = [&out](const char* name, const std::string& path, bool mustExist) {
    if (auto problem = OneLineProblem(path, mustExist)) out[name] = *problem;
  };
  check("event number file", p.numberFile, true);
  check("local event number copy", p.localNumberFile, false);
  check("last-event file", p.lastEvent, false);
  check("order-occupied file", p.orderOccupied, false);
  check("CTD-at-depth file", p.ctdAtDepth, false);
  // The two record files must also hold a whole record, not just one line.
  auto wholeRecord = [&out](const char* name, const std::string& path, const CsvShape& shape) {
    if (out.count(name)) return;
    const LogAudit a = AuditCsv(name, path, shape);
    if (a.present && a.torn) out[name] = a.samples.empty() ? "torn record" : a.samples.front();
  };
  wholeRecord("last-event file", p.lastEvent, TailShape(nullptr));
  wholeRecord("CTD-at-depth file", p.ctdAtDepth, {kCruise, "", {kRecordFields}});
  return out;
}

}  // namespace ruvek::harness
