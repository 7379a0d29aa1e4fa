#include "events/CatchUp.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

constexpr int kNumberDateTimeFields = int(LogColumn::LocalTime) + 1;

std::string WithoutLineEnd(std::string row) {
  while (!row.empty() && (row.back() == '\n' || row.back() == '\r')) row.pop_back();
  return row;
}

struct RowKey {
  std::string number, date, time;
};

RowKey KeyOf(const std::string& line) {
  std::vector<std::string> f(kNumberDateTimeFields);
  SplitCommas(line, f, kNumberDateTimeFields);
  return {Trim(f[LogColumn::EventNo]), f[LogColumn::LocalDate], f[LogColumn::LocalTime]};
}

std::optional<double> NumberOf(const std::string& row) {
  const std::string number = KeyOf(WithoutLineEnd(row)).number;
  return number.empty() ? std::nullopt : EventNumberValue(number);
}

// What one catch-up found and did.
struct Pass {
  std::optional<double> highestForwarded;  // the highest number forwarded to the event log
  std::vector<std::string> doubled;
};

// The event log or a list log: the rows it lacks, appended at once and
// flushed; a list log new or empty gets its header first.
void AppendRows(const os::FileSystem& fs, const std::vector<const BacklogEntry*>& rows, bool eventLog, bool numeric,
                Pass& pass) {
  const std::string& path = rows.front()->path;
  std::set<std::string> held;
  std::map<std::string, std::vector<RowKey>> numbers;
  const bool exists = fs.exists(path);
  if (exists)
    fs.forEachLine(path, [&](std::string& line) {
      if (eventLog && numeric) {
        RowKey key = KeyOf(line);
        numbers[key.number].push_back(std::move(key));
      }
      held.insert(std::move(line));
    });
  std::string out;
  for (const BacklogEntry* e : rows) {
    std::string line = WithoutLineEnd(e->data);
    if (eventLog && numeric) {
      const RowKey key = KeyOf(line);
      if (const auto value = EventNumberValue(key.number))
        pass.highestForwarded = std::max(pass.highestForwarded.value_or(*value), *value);
      // Another event under the same number: a correction of an event keeps
      // its date and time, another station's event has its own.
      const auto& same = numbers[key.number];
      const bool other = std::any_of(same.begin(), same.end(),
                                     [&](const RowKey& k) { return k.date != key.date || k.time != key.time; });
      if (other && !key.number.empty() &&
          std::find(pass.doubled.begin(), pass.doubled.end(), key.number) == pass.doubled.end())
        pass.doubled.push_back(key.number);
    }
    if (!held.insert(line).second) continue;
    out += e->data;
  }
  if (out.empty()) return;
  if (!eventLog && !exists) {
    // Made whole, header and rows at once, unless another station made it first.
    const std::string withHeader = std::string(kNetworkHeader) + std::string(kLineEnd) + out;
    if (fs.create(path, withHeader)) return;
  }
  if (!eventLog && fs.size(path).value_or(0) == 0) out = std::string(kNetworkHeader) + std::string(kLineEnd) + out;
  fs.append(path, out, os::Flush::Yes);
}

// An HTML log: the rows it lacks, in one rewrite.
void HtmlRows(const os::FileSystem& fs, const std::string& project, const std::vector<const BacklogEntry*>& rows) {
  const std::string& path = rows.front()->path;
  const std::string bytes = fs.exists(path) ? fs.readAll(path) : std::string();
  std::string joined;
  for (const BacklogEntry* e : rows)
    if (bytes.find(e->data) == std::string::npos && joined.find(e->data) == std::string::npos)
      joined += (joined.empty() ? "" : std::string(kLineEnd)) + e->data;
  if (joined.empty()) return;
  if (!AppendHtmlRow(fs, path, project, rows.front()->cruise, joined))
    throw os::FileError("unable to create " + path, path);
}

// The last-event file or the CTD file: the newest waiting row, when it is
// newer than the one the file holds.
void ReplaceIfNewer(const os::FileSystem& fs, const std::vector<const BacklogEntry*>& rows) {
  const BacklogEntry* newest = rows.back();
  for (const BacklogEntry* e : rows)
    if (NumberOf(e->data).value_or(0) >= NumberOf(newest->data).value_or(0)) newest = e;
  const std::string& path = newest->path;
  const std::optional<double> held = fs.exists(path) ? NumberOf(fs.firstLine(path)) : std::nullopt;
  const std::optional<double> waiting = NumberOf(newest->data);
  if (held && (!waiting || *waiting <= *held)) return;
  fs.replace(path, newest->data);
}

// NUMERIC: the shared number file never stays below a number forwarded.
void RaiseNumberFile(const os::FileSystem& fs, const Settings& settings, double highest) {
  const std::string& path = settings.eventNumberPath;
  try {
    if (!fs.exists(path)) return;
    const std::optional<double> held = EventNumberValue(fs.firstLine(path));
    if (held && *held >= highest) return;
    fs.replace(path, EventNumberText(NumberPlus(highest, 0)) + std::string(kLineEnd));
  } catch (const os::FileError&) {
    // The next event publishes its number above this station's own anyway.
  }
}

using EventKey = std::pair<std::string, std::string>;

}  // namespace

std::string ForwardedMessage(std::size_t events, const std::vector<std::string>& doubled) {
  std::string text = std::to_string(events) + " events saved locally are now in the network logs";
  if (doubled.empty()) return text;
  std::string numbers;
  for (const std::string& n : doubled) numbers += (numbers.empty() ? "" : ", ") + n;
  return text + " - event numbers another station used as well (both rows are kept): " + numbers;
}

std::string CatchUp(const CatchUpTarget& target, const Settings& settings, StationState& state) {
  BacklogStatus& status = state.backlog;
  if (!status.events) return {};
  const os::FileSystem& fs = target.files;
  BacklogFile file;
  try {
    file = ReadBacklog(fs, target.backlogPath);
  } catch (const os::FileError&) {
    return {};
  }
  // Each file's rows, the files in the order their first row was recorded.
  std::vector<std::string> paths;
  std::map<std::string, std::vector<const BacklogEntry*>> byPath;
  for (const BacklogEntry& e : file.entries) {
    auto& rows = byPath[e.path];
    if (rows.empty()) paths.push_back(e.path);
    rows.push_back(&e);
  }
  const bool numeric = !JulianScheme(settings);
  Pass pass;
  std::set<std::string> written;
  for (const std::string& path : paths) {
    const auto& rows = byPath[path];
    Pass attempt = pass;
    try {
      switch (rows.front()->step) {
        case LogWrite::NetworkHtml: HtmlRows(fs, target.project, rows); break;
        case LogWrite::LastEvent:
        case LogWrite::CtdAtDepth: ReplaceIfNewer(fs, rows); break;
        default: AppendRows(fs, rows, rows.front()->step == LogWrite::NetworkEvents, numeric, attempt); break;
      }
      pass = attempt;
      written.insert(path);
    } catch (const os::FileError&) {
      // The file's rows wait for the next catch-up.
    }
  }
  if (pass.highestForwarded) RaiseNumberFile(fs, settings, *pass.highestForwarded);

  std::vector<BacklogEntry> waiting;
  std::set<EventKey> before, after;
  for (const BacklogEntry& e : file.entries) {
    before.emplace(e.eventNo, e.time);
    if (!written.count(e.path)) {
      after.emplace(e.eventNo, e.time);
      waiting.push_back(e);
    }
  }
  if (waiting.size() == file.entries.size()) return {};
  // A row leaves the backlog only once its file's new name is on the disk too.
  fs.flushFolders();
  try {
    BacklogFile rest{waiting, file.unreadable};
    if (rest.unreadable.empty())
      WriteBacklog(fs, target.backlogPath, rest.entries);
    else {
      // Lines that are no entry stay as they were found: the backlog is
      // written anew around them.
      WriteBacklog(fs, target.backlogPath, {});
      BacklogStatus ignored;
      if (!AddToBacklog(fs, target.backlogPath, rest.entries, ignored))
        throw os::FileError("unable to write " + target.backlogPath, target.backlogPath);
    }
  } catch (const os::FileError&) {
    // The rows written are found in their files next time and not written again.
    return {};
  }
  CountBacklog(waiting, status);
  status.forwarded += before.size() - after.size();
  for (const std::string& n : pass.doubled)
    if (std::find(status.doubledNumbers.begin(), status.doubledNumbers.end(), n) == status.doubledNumbers.end())
      status.doubledNumbers.push_back(n);
  if (status.events) return {};
  const std::string message = ForwardedMessage(status.forwarded, status.doubledNumbers);
  status.forwarded = 0;
  status.doubledNumbers.clear();
  return message;
}

std::string CatchUpStation(Station& s, ui::ShareLock& lock) {
  StationState& st = s.state;
  if (!st.backlog.events || !st.networkMode) return {};
  const os::FileSystem& fs = s.platform.files();
  if (!st.dataShare.reachable(fs)) return {};
  if (!lock.held() && NumberFileReachable(EventNumbering::of(s))) lock.acquire(ShareLockPath(s.settings));
  return CatchUp(
      {fs, s.settings.config[ConfigRow::Project], BacklogPath(s.settings.programDir, s.main.boxes.cruise.text())},
      s.settings, st);
}

void CatchUpTick(Station& s) {
  StationState& st = s.state;
  if (!st.backlog.events || !st.networkMode) return;
  std::string message;
  {
    st.dataShare.recheck();
    ui::ShareLock lock(s.platform, s.main.statusBar, st.lockStats);
    // Flushed before the lock's release, each folder once.
    const os::FolderFlushes flushes(s.platform.files());
    message = CatchUpStation(s, lock);
  }
  if (st.backlog.events) s.main.statusBar.setText(BacklogWaitingText(st.backlog));
  if (!message.empty()) s.platform.ask(message, "", ui::Buttons::OK, ui::Icon::Information);
}

}  // namespace ruvek
