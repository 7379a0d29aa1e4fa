#include "events/PrintLog.h"

#include <optional>

#include "core/EventLogSchema.h"
#include "core/Superseded.h"
#include "core/TextRoutines.h"
#include "logview/EventGrid.h"

namespace ruvek {
namespace {

// A log line is split into the record's columns and the first of its tail.
constexpr int kSlots = 20;

// "08-Jun-2026" as a number that sorts by date (20260608); nothing for any
// other text.
std::optional<int> DateKey(const std::string& text) {
  const std::string t = Trim(text);
  if (t.size() != 11 || t[2] != '-' || t[6] != '-') return std::nullopt;
  int month = 0;
  for (int m = 1; m <= 12; ++m)
    if (t.compare(3, 3, monthAbbrev(m)) == 0) month = m;
  const std::string day = t.substr(0, 2), year = t.substr(7, 4);
  for (char c : day + year)
    if (c < '0' || c > '9') return std::nullopt;
  if (month == 0) return std::nullopt;
  return std::stoi(year) * 10000 + month * 100 + std::stoi(day);
}

// "1 event", "120 events".
std::string EventCount(std::size_t n) { return std::to_string(n) + (n == 1 ? " event" : " events"); }

}  // namespace

os::PrintDocument EventLogDocument(const os::FileSystem& fs, const std::string& logPath, const ui::Grid& eventGrid,
                                   const std::string& project, const std::string& cruise,
                                   const std::string& printedAt) {
  os::PrintDocument doc;
  doc.title = project + " " + cruise + " EVENT LOG";
  for (int c = 0; c < kGridCols; ++c) {
    doc.columns.push_back(eventGrid.cell(0, c));
    doc.columnWidths.push_back(std::size_t(c) < eventGrid.colWidths.size() ? eventGrid.colWidths[std::size_t(c)] : 1);
  }
  std::optional<int> first, last;
  std::string firstDate, lastDate;
  std::vector<std::string> slots(kSlots);
  fs.forEachLine(logPath, [&](std::string& line) {
    if (!IsEventLine(line)) return;
    std::fill(slots.begin(), slots.end(), std::string());
    SplitCommas(line, slots, kSlots);
    doc.rows.push_back(GridRowFromSlots(slots, PositionText::AsLogged));
    const std::string& date = doc.rows.back()[GridColumn::Date];
    if (const auto key = DateKey(date)) {
      if (!first || *key < *first) first = key, firstDate = Trim(date);
      if (!last || *key > *last) last = key, lastDate = Trim(date);
    }
  });
  std::vector<std::string> numbers;
  for (const auto& row : doc.rows) numbers.push_back(row[GridColumn::EventNo]);
  doc.greyedRows = SupersededEntries(numbers);
  const std::string count = EventCount(doc.rows.size());
  if (!first)
    doc.heading.push_back(count);
  else if (firstDate == lastDate)
    doc.heading.push_back(count + " on " + firstDate);
  else
    doc.heading.push_back(count + " from " + firstDate + " to " + lastDate);
  doc.heading.push_back("Event log " + logPath + ", printed " + printedAt);
  doc.fileName = cruise + "Events.pdf";
  return doc;
}

void PrintEventLog(Station& s) {
  const Settings& settings = s.settings;
  MainWindow& w = s.main;
  const std::string cruise = w.boxes.cruise.text();
  const LogFileNames names = LogFileNamesFor(settings.programDir, settings.dataDir, cruise, settings.eventListType);
  const os::FileSystem& fs = s.platform.files();
  const std::string& log = fs.exists(names.networkEvents) ? names.networkEvents : names.localEvents;
  if (!fs.exists(log)) {
    s.platform.ask(
        "Unable to print the event log: neither " + names.networkEvents + " nor " + names.localEvents + " exists.",
        "Print Log", ui::Buttons::OK, ui::Icon::Exclamation);
    return;
  }
  const DateTime now = s.platform.now();
  os::PrintDocument doc;
  try {
    doc = EventLogDocument(fs, log, w.eventGrid, settings.config[ConfigRow::Project], cruise,
                           now.shortDate() + " " + now.longTime());
  } catch (const os::FileError& e) {
    s.platform.ask("Unable to read " + log + " - nothing printed (" + e.what() + ")", "Print Log", ui::Buttons::OK,
                   ui::Icon::Exclamation);
    return;
  }
  if (doc.rows.empty()) {
    s.platform.ask("The event log " + log + " holds no events: nothing printed.", "Print Log", ui::Buttons::OK,
                   ui::Icon::Information);
    return;
  }
  doc.folder = settings.programDir;
  const ui::PrintResult printed = s.platform.printLog(doc);
  if (printed.outcome == ui::PrintResult::Printed)
    w.statusBar.setText("Event log printed (" + EventCount(doc.rows.size()) + "): " + printed.where);
  else if (printed.outcome == ui::PrintResult::Failed)
    s.platform.ask("Unable to print the event log to " + printed.where + ": " + printed.error, "Print Log",
                   ui::Buttons::OK, ui::Icon::Exclamation);
}

}  // namespace ruvek
