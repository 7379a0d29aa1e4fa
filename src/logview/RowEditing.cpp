#include "logview/RowEditing.h"

#include <algorithm>
#include <array>

#include "core/Format.h"
#include "core/TextRoutines.h"
#include "logview/CorrectionView.h"

namespace ruvek {
namespace {

// The boxes a grid row is loaded into, in grid column order.
std::array<ui::EditableText*, kGridCols> BoxesOfRow(MainWindow& w) {
  return {&w.boxes.eventNumber, &w.lineCombo, &w.stationCombo, &w.boxes.date,    &w.boxes.time,
          &w.eventCombo,        &w.boxes.lat, &w.boxes.lon,    &w.initialsCombo, &w.commentsBox};
}

std::vector<std::string> BoxTexts(MainWindow& w) {
  std::vector<std::string> texts;
  for (const ui::EditableText* box : BoxesOfRow(w)) texts.push_back(box->text());
  return texts;
}

void ShowBoxTexts(MainWindow& w, const std::vector<std::string>& texts) {
  const auto boxes = BoxesOfRow(w);
  for (std::size_t i = 0; i < boxes.size() && i < texts.size(); ++i) boxes[i]->setText(texts[i]);
}

std::vector<std::string> RowCells(const ui::Grid& grid, int row) {
  std::vector<std::string> cells;
  for (int c = 0; c < kGridCols; ++c) cells.push_back(grid.cell(row, c));
  return cells;
}

// Column 1 of a log line, found without splitting the whole line.
std::string_view EventNumberOf(std::string_view line) {
  const std::size_t first = line.find(',');
  if (first == std::string_view::npos) return {};
  const std::size_t second = line.find(',', first + 1);
  return line.substr(first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
}

bool SameMoment(const LoggedRow& row, const std::vector<std::string>& cells) {
  const std::string date = Trim(cells[GridColumn::Date]), time = Trim(cells[GridColumn::Time]);
  const auto at = [&](std::size_t dateColumn, std::size_t timeColumn) {
    return Trim(row.columns[dateColumn]) == date && Trim(row.columns[timeColumn]) == time;
  };
  return at(LogColumn::LocalDate, LogColumn::LocalTime) || at(LogColumn::UtcDate, LogColumn::UtcTime);
}

// The last line of the log at `path` that holds the event; a log that cannot
// be read holds none (what was read before the failure still counts).
std::optional<LoggedRow> LastLineOfEvent(const os::FileSystem& fs, const std::string& path,
                                         const std::vector<std::string>& cells) {
  std::optional<LoggedRow> found;
  const std::string number = Trim(cells[GridColumn::EventNo]);
  try {
    if (path.empty() || !fs.exists(path)) return found;
    fs.forEachLine(path, [&](std::string& line) {
      if (Trim(EventNumberOf(line)) != number) return;
      auto row = SplitLoggedLine(line);
      if (row && SameMoment(*row, cells)) found = std::move(row);
    });
  } catch (const os::FileError&) {
  }
  return found;
}

std::string SixDecimals(const std::string& position) { return FormatNumber(LeadingNumber(position), "00.000000"); }

std::string NotFoundSentence(const LogFileNames& names, const std::vector<std::string>& cells) {
  return "Event " + cells[GridColumn::EventNo] + " of " + cells[GridColumn::Date] + " " + cells[GridColumn::Time] +
         " is in neither " + names.networkEvents + " nor " + names.localEvents +
         ": the correction would be logged with the UTC time and navigation of the moment Record Event is pressed.";
}

}  // namespace

std::optional<LoggedRow> SplitLoggedLine(const std::string& line) {
  LoggedRow row;
  std::size_t start = 0;
  for (std::size_t k = 0; k + 1 < LogColumn::RecordColumns; ++k) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string::npos) return std::nullopt;
    row.columns.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  const std::size_t tail = std::min(line.find('$', start), line.find(',', start));
  row.columns.push_back(line.substr(start, tail == std::string::npos ? std::string::npos : tail - start));
  if (tail != std::string::npos) row.tail = line.substr(tail);
  return row;
}

std::optional<LoggedRow> FindLoggedEvent(const os::FileSystem& fs, const LogFileNames& names,
                                         const std::vector<std::string>& cells) {
  const auto network = LastLineOfEvent(fs, names.networkEvents, cells);
  const auto local = LastLineOfEvent(fs, names.localEvents, cells);
  if (!network && !local) return std::nullopt;
  LoggedRow row = network ? *network : *local;
  row.decLat = network ? network->columns[LogColumn::DecLat] : cells[GridColumn::Lat];
  row.decLon = network ? network->columns[LogColumn::DecLon] : cells[GridColumn::Lon];
  row.snapshotLat = local ? local->columns[LogColumn::DecLat] : SixDecimals(row.decLat);
  row.snapshotLon = local ? local->columns[LogColumn::DecLon] : SixDecimals(row.decLon);
  return row;
}

void LoadRowForCorrection(Station& s) {
  MainWindow& w = s.main;
  ui::Grid& grid = w.eventGrid;
  const int row = grid.row;
  // Loading an empty row would log an event without a number.
  if (row < grid.fixedRows || Trim(grid.cell(row, GridColumn::EventNo)).empty()) return;
  const std::vector<std::string> cells = RowCells(grid, row);
  const LogFileNames names =
      LogFileNamesFor(s.settings.programDir, s.settings.dataDir, w.boxes.cruise.text(), s.settings.eventListType);
  auto logged = FindLoggedEvent(s.platform.files(), names, cells);
  std::string question = "Do you want to edit the entry you double-clicked? Y/N";
  if (!logged) question += "\n" + NotFoundSentence(names, cells);
  if (s.platform.ask(question, "Edit selected row-activity.", ui::Buttons::YesNo) != ui::Answer::Yes) return;
  w.pollTimer.setEnabled(false);
  Correction& c = s.state.correction;
  // A second row loaded while editing replaces the first; the boxes go back
  // to what they showed before either.
  if (!s.state.editingRow) c.before = BoxTexts(w);
  std::vector<std::string> shown = cells;
  shown[GridColumn::Comments] = "Comments: " + cells[GridColumn::Comments];
  ShowBoxTexts(w, shown);
  c.gridRow = row;
  c.loaded = BoxTexts(w);
  c.logged = std::move(logged);
  s.state.editingRow = true;
  ShowCorrection(w, s.state);
  w.statusBar.note = "Correcting event " + Trim(cells[GridColumn::EventNo]);
}

void EndCorrection(MainWindow& w, StationState& state) {
  if (!state.editingRow) return;
  ShowBoxTexts(w, state.correction.before);
  state.editingRow = false;
  state.correction = {};
  w.pollTimer.setEnabled(true);
  ShowCorrection(w, state);
}

}  // namespace ruvek
