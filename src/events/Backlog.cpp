#include "events/Backlog.h"

#include <algorithm>
#include <set>
#include <utility>

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

constexpr std::string_view kFirstLine = "RuvekBacklog 1";
constexpr std::size_t kFields = 6;

const std::pair<LogWrite, std::string_view> kKinds[] = {{LogWrite::NetworkHtml, "html"},
                                                        {LogWrite::NetworkEvents, "events"},
                                                        {LogWrite::LastEvent, "last"},
                                                        {LogWrite::NetworkList, "list"},
                                                        {LogWrite::CtdAtDepth, "ctd"}};

std::string Escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

// The fields of a line; false for a stray backslash or a wrong count.
bool Unescaped(const std::string& line, std::vector<std::string>& fields) {
  fields.assign(1, std::string());
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      fields.emplace_back();
      continue;
    }
    if (c != '\\') {
      fields.back() += c;
      continue;
    }
    if (++i == line.size()) return false;
    switch (line[i]) {
      case '\\': fields.back() += '\\'; break;
      case 't': fields.back() += '\t'; break;
      case 'r': fields.back() += '\r'; break;
      case 'n': fields.back() += '\n'; break;
      default: return false;
    }
  }
  return fields.size() == kFields;
}

std::string CrLf(const std::string& text) { return text + std::string(kLineEnd); }

}  // namespace

std::string BacklogPath(const std::string& programDir, const std::string& cruise) {
  return programDir + FileNamePart(cruise) + ".backlog";
}

std::string BacklogLine(const BacklogEntry& e) {
  std::string kind;
  for (const auto& [step, name] : kKinds)
    if (step == e.step) kind = name;
  return kind + '\t' + Escaped(e.path) + '\t' + Escaped(e.eventNo) + '\t' + Escaped(e.time) + '\t' + Escaped(e.cruise) +
         '\t' + Escaped(e.data);
}

bool ParseBacklogLine(const std::string& line, BacklogEntry& entry) {
  std::vector<std::string> f;
  if (!Unescaped(line, f) || f[1].empty()) return false;
  const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const auto& k) { return k.second == f[0]; });
  if (kind == std::end(kKinds)) return false;
  entry = {kind->first, std::move(f[1]), std::move(f[2]), std::move(f[3]), std::move(f[4]), std::move(f[5])};
  return true;
}

BacklogFile ReadBacklog(const os::FileSystem& fs, const std::string& path) {
  BacklogFile file;
  if (!fs.exists(path)) return file;
  bool first = true;
  fs.forEachLine(path, [&](std::string& line) {
    if (std::exchange(first, false) && line == kFirstLine) return;
    if (line.empty()) return;
    BacklogEntry entry;
    if (ParseBacklogLine(line, entry))
      file.entries.push_back(std::move(entry));
    else
      file.unreadable.push_back(std::move(line));
  });
  return file;
}

void WriteBacklog(const os::FileSystem& fs, const std::string& path, const std::vector<BacklogEntry>& entries) {
  if (entries.empty()) {
    if (fs.exists(path)) fs.remove(path);
    return;
  }
  std::string out = CrLf(std::string(kFirstLine));
  for (const BacklogEntry& e : entries) out += CrLf(BacklogLine(e));
  fs.replace(path, out);
}

std::vector<BacklogEntry> UnwrittenRows(const LogTarget& target, const LoggedEvent& event, const EventLogJob& job) {
  const EventFields& f = event.fields;
  const std::string record = CsvRecord(f);
  std::vector<BacklogEntry> rows;
  for (const auto& [step, name] : kKinds) {
    if (!job.isFailed(step)) continue;
    BacklogEntry e{step, PathOf(target.names, step), f.eventNo, f.localDate + " " + f.localTime, f.cruise, {}};
    switch (step) {
      case LogWrite::NetworkHtml: e.data = HtmlRow(event.atSnapshot()); break;
      case LogWrite::NetworkEvents:
      case LogWrite::LastEvent: e.data = CrLf(record + event.tail); break;
      default: e.data = CrLf(record); break;
    }
    rows.push_back(std::move(e));
  }
  return rows;
}

void DeferBehindBacklog(const LogTarget& target, const BacklogStatus& status, EventLogJob& job) {
  if (!status.events) return;
  for (LogWrite step : {LogWrite::NetworkHtml, LogWrite::NetworkEvents, LogWrite::NetworkList}) {
    if (job.settled(step) || (step == LogWrite::NetworkHtml && !target.html)) continue;
    const std::string& path = PathOf(target.names, step);
    if (std::find(status.waitingFiles.begin(), status.waitingFiles.end(), path) != status.waitingFiles.end())
      job.markFailed(step);
  }
}

void CountBacklog(const std::vector<BacklogEntry>& entries, BacklogStatus& status) {
  std::set<std::pair<std::string, std::string>> events;
  status.waitingFiles.clear();
  for (const BacklogEntry& e : entries) {
    events.emplace(e.eventNo, e.time);
    if (std::find(status.waitingFiles.begin(), status.waitingFiles.end(), e.path) == status.waitingFiles.end())
      status.waitingFiles.push_back(e.path);
  }
  status.events = events.size();
}

bool AddToBacklog(const os::FileSystem& fs, const std::string& path, const std::vector<BacklogEntry>& entries,
                  BacklogStatus& status) {
  if (entries.empty()) return true;
  try {
    BacklogFile file = ReadBacklog(fs, path);
    file.entries.insert(file.entries.end(), entries.begin(), entries.end());
    // Lines that are no entry stay as they were found.
    std::string out = CrLf(std::string(kFirstLine));
    for (const std::string& line : file.unreadable) out += CrLf(line);
    for (const BacklogEntry& e : file.entries) out += CrLf(BacklogLine(e));
    fs.replace(path, out);
    CountBacklog(file.entries, status);
    return true;
  } catch (const os::FileError&) {
    return false;
  }
}

std::string LoadBacklog(const os::FileSystem& fs, const std::string& path, BacklogStatus& status) {
  status = {};
  BacklogFile file;
  try {
    file = ReadBacklog(fs, path);
  } catch (const os::FileError&) {
    return "Unable to read " + path + " - the events waiting in it are not forwarded now.";
  }
  CountBacklog(file.entries, status);
  if (file.unreadable.empty()) return {};
  const std::string bad = path + ".bad";
  const std::string lines =
      std::to_string(file.unreadable.size()) + " line" + (file.unreadable.size() == 1 ? " " : "s ") + "of " + path;
  try {
    std::string out;
    for (const std::string& line : file.unreadable) out += CrLf(line);
    fs.append(bad, out, os::Flush::Yes);
    WriteBacklog(fs, path, file.entries);
  } catch (const os::FileError&) {
    return lines + " could not be read; they stay in it and are not forwarded.";
  }
  return lines + " could not be read and were moved to " + bad + "; they are not forwarded.";
}

std::string BacklogWaitingText(const BacklogStatus& status) {
  if (!status.events) return {};
  return std::to_string(status.events) + (status.events == 1 ? " event" : " events") + " waiting for the network drive";
}

}  // namespace ruvek
