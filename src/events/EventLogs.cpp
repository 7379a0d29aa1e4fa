#include "events/EventLogs.h"

#include <optional>

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

std::string Line(const std::string& text) { return text + std::string(kLineEnd); }

// The local copy that still holds an event whose network file failed: the
// HTML log for an HTML file, the event log for every other file.
std::string LocalCopyOf(const LogFileNames& names, const std::string& failedPath) {
  const bool html = failedPath.size() >= 4 && ToUpper(failedPath.substr(failedPath.size() - 4)) == ".HTM";
  return html ? names.localHtml : names.localEvents;
}

// Appends one line to a log, the header first when the file is new or empty
// (a run killed between making the file and writing its first line). A new log
// is made whole, header and line at once, so that two stations making it at
// the same moment never put a header between rows.
void AppendWithHeader(const ui::FileSystem& fs, const std::string& path, std::string_view header,
                      const std::string& line, ui::Flush flush = ui::Flush::No) {
  const std::string withHeader = Line(std::string(header)) + Line(line);
  std::optional<std::uintmax_t> size = fs.size(path);
  if (!size) {
    if (fs.create(path, withHeader)) return;
    size = fs.size(path);
  }
  fs.append(path, size.value_or(0) == 0 ? withHeader : Line(line), flush);
}

// Runs one write of the job unless an earlier attempt already made it.
template <typename Write>
void Once(EventLogJob& job, LogWrite step, Write write) {
  if (job.isDone(step)) return;
  write();
  job.markDone(step);
}

// Runs a network write whose failure ends the network part of the event with
// the message naming the local copy.
template <typename Write>
void Guarded(const LogTarget& target, EventLogJob& job, LogWrite step, Write write) {
  if (job.networkEnded) return;
  try {
    Once(job, step, write);
  } catch (const ui::FileError& e) {
    EndNetworkPart(target, job, e.path);
  }
}

void ApplyCtdRule(const ui::FileSystem& fs, const std::string& path, const std::string& eventName,
                  const std::string& record, bool& ctdAtDepthLogged) {
  const CtdStep step = CtdRule(eventName, ctdAtDepthLogged);
  if (step.action == CtdAction::WriteFile) fs.replace(path, Line(record));
  ctdAtDepthLogged = step.atDepthLogged;
}

}  // namespace

EventFields LoggedEvent::atSnapshot() const {
  EventFields f = fields;
  f.decLat = snapshotLat;
  f.decLon = snapshotLon;
  return f;
}

void AppendHtmlRow(const LogTarget& target, const std::string& path, const std::string& cruise,
                   const std::string& row) {
  const ui::FileSystem& fs = target.platform.files();
  if (!fs.exists(path)) {
    // Made whole under a temporary name: a kill never leaves a log without
    // its head. When another station made it meanwhile, the row goes into theirs.
    try {
      if (fs.create(path, NewHtmlLog(target.project, cruise, row))) return;
    } catch (const ui::FileError&) {
      target.platform.ask(SavedLocallyMessage(target.names.localHtml), "");
      return;
    }
  }
  fs.replace(path, RewriteHtmlLog(fs.readAll(path), row, HtmlHead(target.project, cruise)));
}

void WriteLocalLogs(const LogTarget& target, const LoggedEvent& event, EventLogJob& job) {
  const ui::FileSystem& fs = target.platform.files();
  const LogFileNames& names = target.names;
  const EventFields local = event.atSnapshot();
  if (target.html)
    Once(job, LogWrite::LocalHtml, [&] { AppendHtmlRow(target, names.localHtml, local.cruise, HtmlRow(local)); });
  Once(job, LogWrite::LocalEvents,
       [&] { AppendWithHeader(fs, names.localEvents, kLocalHeader, CsvRecord(local) + event.tail, ui::Flush::Yes); });
  const std::string record = CsvRecord(event.fields);
  Once(job, LogWrite::LocalList, [&] { AppendWithHeader(fs, names.localList, kNetworkHeader, record); });
}

void WriteNetworkLogs(const LogTarget& target, const LoggedEvent& event, StationState& state, EventLogJob& job) {
  if (job.networkEnded) return;
  const ui::FileSystem& fs = target.platform.files();
  const LogFileNames& names = target.names;
  const std::string record = CsvRecord(event.fields);
  if (target.html)
    Once(job, LogWrite::NetworkHtml, [&] {
      const EventFields local = event.atSnapshot();
      AppendHtmlRow(target, names.networkHtml, local.cruise, HtmlRow(local));
    });

  const std::string withTail = Line(record + event.tail);
  if (fs.exists(names.networkEvents))
    Once(job, LogWrite::NetworkEvents, [&] { fs.append(names.networkEvents, withTail); });
  else
    Guarded(target, job, LogWrite::NetworkEvents, [&] { fs.append(names.networkEvents, withTail); });

  if (!state.editingRow)
    Guarded(target, job, LogWrite::LastEvent, [&] {
      fs.replace(names.lastEvent, withTail);
      state.ownLastEvent = record + event.tail;
    });
  Guarded(target, job, LogWrite::NetworkList, [&] { AppendWithHeader(fs, names.networkList, kNetworkHeader, record); });
  if (job.networkEnded) return;
  Once(job, LogWrite::ClearMet, [&] { state.nav.metItems.fill(std::string()); });
  Guarded(target, job, LogWrite::CtdAtDepth,
          [&] { ApplyCtdRule(fs, names.ctdAtDepth, event.fields.event, record, state.ctdAtDepthLogged); });
}

void EndNetworkPart(const LogTarget& target, EventLogJob& job, const std::string& failedPath) {
  job.networkEnded = true;
  target.platform.ask(SavedLocallyMessage(LocalCopyOf(target.names, failedPath)), "");
}

}  // namespace ruvek
