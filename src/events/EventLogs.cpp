#include "events/EventLogs.h"

#include <algorithm>
#include <optional>

namespace ruvek {
namespace {

std::string Line(const std::string& text) { return text + std::string(kLineEnd); }

std::string Joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : ", ") + p;
  return out;
}

constexpr LogWrite kLocalWrites[] = {LogWrite::LocalHtml, LogWrite::LocalEvents, LogWrite::LocalList};
constexpr LogWrite kNetworkWrites[] = {LogWrite::NetworkHtml, LogWrite::NetworkEvents, LogWrite::LastEvent,
                                       LogWrite::NetworkList, LogWrite::CtdAtDepth};

// Appends one line to a log, the header first when the file is new or empty
// (a run killed between making the file and writing its first line). A new log
// is made whole, header and line at once, so that two stations making it at
// the same moment never put a header between rows.
void AppendWithHeader(const os::FileSystem& fs, const std::string& path, std::string_view header,
                      const std::string& line, os::Flush flush = os::Flush::No) {
  const std::string withHeader = Line(std::string(header)) + Line(line);
  std::optional<std::uintmax_t> size = fs.size(path);
  if (!size) {
    if (fs.create(path, withHeader)) return;
    size = fs.size(path);
  }
  fs.append(path, size.value_or(0) == 0 ? withHeader : Line(line), flush);
}

// A write whose failure goes to the workflow's retry: job.current names it.
template <typename Write>
void Retried(EventLogJob& job, LogWrite step, Write write) {
  if (job.settled(step)) return;
  job.current = step;
  write();
  job.markDone(step);
}

// A write whose failure is not retried: the file is marked not written.
template <typename Write>
void Reported(EventLogJob& job, LogWrite step, Write write) {
  if (job.settled(step)) return;
  try {
    write();
    job.markDone(step);
  } catch (const os::FileError&) {
    job.markFailed(step);
  }
}

// The HTML log: an existing log whose rewrite fails goes to the retry; a new
// one that cannot be created is marked not written.
void HtmlWrite(const LogTarget& target, EventLogJob& job, LogWrite step, const EventFields& fields) {
  if (job.settled(step)) return;
  job.current = step;
  if (AppendHtmlRow(target.files, PathOf(target.names, step), target.project, fields.cruise, HtmlRow(fields)))
    job.markDone(step);
  else
    job.markFailed(step);
}

}  // namespace

const std::string& PathOf(const LogFileNames& names, LogWrite step) {
  switch (step) {
    case LogWrite::LocalHtml: return names.localHtml;
    case LogWrite::LocalEvents: return names.localEvents;
    case LogWrite::LocalList: return names.localList;
    case LogWrite::NetworkHtml: return names.networkHtml;
    case LogWrite::NetworkEvents: return names.networkEvents;
    case LogWrite::LastEvent: return names.lastEvent;
    case LogWrite::NetworkList: return names.networkList;
    case LogWrite::CtdAtDepth:
    case LogWrite::ClearMet: break;
  }
  return names.ctdAtDepth;
}

bool IsNetworkWrite(LogWrite step) { return step >= LogWrite::NetworkHtml; }

EventFields LoggedEvent::atSnapshot() const {
  EventFields f = fields;
  f.decLat = snapshotLat;
  f.decLon = snapshotLon;
  return f;
}

bool AppendHtmlRow(const os::FileSystem& fs, const std::string& path, const std::string& project,
                   const std::string& cruise, const std::string& row) {
  // The log is read at once: asking first whether it is there costs every
  // event a call. A log that cannot be read is looked at again below.
  std::optional<std::string> bytes;
  try {
    bytes = fs.readAll(path);
  } catch (const os::FileError&) {
  }
  if (bytes) {
    fs.replace(path, RewriteHtmlLog(*bytes, row, HtmlHead(project, cruise)));
    return true;
  }
  if (!fs.exists(path)) {
    // Made whole under a temporary name: a kill never leaves a log without
    // its head. When another station made it meanwhile, the row goes into theirs.
    try {
      if (fs.create(path, NewHtmlLog(project, cruise, row))) return true;
    } catch (const os::FileError&) {
      return false;
    }
    // Something that is not a file (a folder) stands in the log's place.
    if (!fs.exists(path)) return false;
  }
  fs.replace(path, RewriteHtmlLog(fs.readAll(path), row, HtmlHead(project, cruise)));
  return true;
}

void WriteLocalLogs(const LogTarget& target, const LoggedEvent& event, EventLogJob& job) {
  const os::FileSystem& fs = target.files;
  const LogFileNames& names = target.names;
  const EventFields local = event.atSnapshot();
  if (target.html) HtmlWrite(target, job, LogWrite::LocalHtml, local);
  Retried(job, LogWrite::LocalEvents, [&] {
    AppendWithHeader(fs, names.localEvents, kLocalHeader, CsvRecord(local) + event.tail, os::Flush::Yes);
  });
  const std::string record = CsvRecord(event.fields);
  Retried(job, LogWrite::LocalList, [&] { AppendWithHeader(fs, names.localList, kNetworkHeader, record); });
}

void WriteNetworkLogs(const LogTarget& target, const LoggedEvent& event, StationState& state, EventLogJob& job,
                      bool reachable) {
  const os::FileSystem& fs = target.files;
  const LogFileNames& names = target.names;
  const std::string record = CsvRecord(event.fields);
  const std::string withTail = Line(record + event.tail);
  const CtdStep ctd = CtdRule(event.fields.event, state.ctdAtDepthLogged);
  if (!reachable) {
    // Nothing is created afresh in a folder that is not the share.
    for (LogWrite step : kNetworkWrites)
      if ((step != LogWrite::NetworkHtml || target.html) && (step != LogWrite::LastEvent || !state.editingRow) &&
          (step != LogWrite::CtdAtDepth || ctd.action == CtdAction::WriteFile) && !job.settled(step))
        job.markFailed(step);
  }
  if (target.html) HtmlWrite(target, job, LogWrite::NetworkHtml, event.atSnapshot());
  if (!job.settled(LogWrite::NetworkEvents)) {
    if (fs.exists(names.networkEvents))
      Retried(job, LogWrite::NetworkEvents, [&] { fs.append(names.networkEvents, withTail); });
    else
      Reported(job, LogWrite::NetworkEvents, [&] { fs.append(names.networkEvents, withTail); });
  }
  if (!state.editingRow)
    Reported(job, LogWrite::LastEvent, [&] {
      fs.replace(names.lastEvent, withTail);
      state.numbers.ownLastEvent = record + event.tail;
    });
  Reported(job, LogWrite::NetworkList, [&] { AppendWithHeader(fs, names.networkList, kNetworkHeader, record); });
  Retried(job, LogWrite::ClearMet, [&] { state.poll.nav.metItems.fill(std::string()); });
  if (ctd.action == CtdAction::WriteFile) {
    Reported(job, LogWrite::CtdAtDepth, [&] {
      fs.replace(names.ctdAtDepth, Line(record));
      state.ctdAtDepthLogged = ctd.atDepthLogged;
    });
  } else {
    state.ctdAtDepthLogged = ctd.atDepthLogged;
  }
}

void ReportUnwrittenLogs(ui::Platform& platform, const LogFileNames& names, const EventLogJob& job,
                         const std::string& backlogNotWritten) {
  std::vector<std::string> local, network, copies;
  for (LogWrite step : kLocalWrites)
    if (job.isFailed(step)) local.push_back(PathOf(names, step));
  for (LogWrite step : kNetworkWrites) {
    if (!job.isFailed(step)) continue;
    network.push_back(PathOf(names, step));
    // The local twin that holds the event: the HTML log for the HTML log, the
    // event log for every other file.
    const LogWrite twin = step == LogWrite::NetworkHtml ? LogWrite::LocalHtml : LogWrite::LocalEvents;
    const std::string& copy = PathOf(names, twin);
    if (job.isDone(twin) && std::find(copies.begin(), copies.end(), copy) == copies.end()) copies.push_back(copy);
  }
  if (!local.empty()) {
    const bool kept = job.done & ~(1u << unsigned(LogWrite::ClearMet));
    platform.ask("Unable to write " + Joined(local) +
                     (kept ? " - the event is kept in the other logs." : " - the event is in no log."),
                 "Unable to write to the local drive!", ui::Buttons::OK, ui::Icon::Exclamation);
  }
  if (!network.empty())
    platform.ask(
        (copies.empty() ? std::string("Unable to write to Network Drive!") : SavedLocallyMessage(Joined(copies))) +
            " - not written: " + Joined(network) +
            (backlogNotWritten.empty()
                 ? " - the event will be forwarded to them when the network drive is back."
                 : " - unable to write " + backlogNotWritten + ": the event will not be forwarded to them."),
        "");
}

}  // namespace ruvek
