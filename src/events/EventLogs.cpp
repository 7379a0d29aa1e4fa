#include "events/EventLogs.h"

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

std::string Line(const std::string& text) { return text + std::string(kLineEnd); }

bool WritingAllowed(const MainWindow& w) {
  const std::string& caption = w.command1[0]->caption;
  return caption == "Record Event" || caption == "Saving Event";
}

// The local copy that still holds an event whose network file failed: the
// HTML log for an HTML file, the event log for every other file.
std::string LocalCopyOf(const MainWindow& w, const std::string& failedPath) {
  const LogFileNames names = CurrentLogFiles(w);
  const bool html = failedPath.size() >= 4 && ToUpper(failedPath.substr(failedPath.size() - 4)) == ".HTM";
  return html ? names.localHtml : names.localEvents;
}

// Appends one line to a log, the header first when the file is new. Header and
// line go out in one write.
void AppendWithHeader(MainWindow& w, const std::string& path, std::string_view header, const std::string& line) {
  const bool isNew = !w.fs().exists(path);
  w.fs().append(path, isNew && !header.empty() ? Line(std::string(header)) + Line(line) : Line(line));
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
void Guarded(MainWindow& w, EventLogJob& job, LogWrite step, Write write) {
  if (job.networkEnded) return;
  try {
    Once(job, step, write);
  } catch (const ui::FileError& e) {
    EndNetworkPart(w, job, e.path);
  }
}

void ApplyCtdRule(MainWindow& w, const std::string& path, const std::string& record) {
  const CtdStep step = CtdRule(w.combo1->text(), w.ctdAtDepthLogged);
  if (step.action == CtdAction::WriteFile) w.fs().replace(path, Line(record));
  w.ctdAtDepthLogged = step.atDepthLogged;
}

}  // namespace

LogFileNames CurrentLogFiles(const MainWindow& w) {
  return LogFileNamesFor(w.settings.programDir, w.settings.dataDir, w.text1[0]->text(), w.settings.eventListType);
}

EventFields CurrentEventFields(MainWindow& w, const std::string& activity, bool fromSnapshot) {
  // The order-occupied value is never written with a closing table tag.
  w.orderOccupied = StripTableTag(w.orderOccupied);
  EventFields f;
  f.cruise = w.text1[0]->text();
  f.eventNo = w.text1[5]->text();
  f.stndLine = w.combo3->text();
  f.stndSta = w.combo4->text();
  f.calcLine = w.nav.calcLine;
  f.calcSta = w.nav.calcSta;
  f.localDate = w.nav.localDate;
  f.localTime = w.nav.localTime;
  f.decLat = fromSnapshot ? w.nav.decLat : w.text1[3]->text();
  f.decLon = fromSnapshot ? w.nav.decLon : w.text1[4]->text();
  f.activity = activity;
  f.event = w.combo1->text();
  f.oper = w.combo2->text();
  f.utcDate = w.nav.utcDate;
  f.utcTime = w.nav.utcTime;
  f.comments = CommentsField(w.txtComments->text());
  f.ordOcc = w.orderOccupied;
  return f;
}

void AppendHtmlRow(MainWindow& w, const std::string& path, const std::string& row) {
  if (w.fs().exists(path)) {
    w.fs().replace(path, RewriteHtmlLog(w.fs().readAll(path), row));
    return;
  }
  try {
    w.fs().write(path, NewHtmlLog(w.config.row(1), w.text1[0]->text(), row));
  } catch (const ui::FileError&) {
    w.ask(SavedLocallyMessage(CurrentLogFiles(w).localHtml), "");
  }
}

void WriteLocalLogs(MainWindow& w, EventLogJob& job) {
  if (!WritingAllowed(w)) return;
  const LogFileNames names = CurrentLogFiles(w);
  const EventFields local = CurrentEventFields(w, job.activity, true);
  if (w.mnuhtml->checked) Once(job, LogWrite::LocalHtml, [&] { AppendHtmlRow(w, names.localHtml, HtmlRow(local)); });
  if (!job.tailBuilt) {
    job.tail = NavigationTail(w.nav.rawLine, w.nav.metItems);
    job.tailBuilt = true;
  }
  Once(job, LogWrite::LocalEvents,
       [&] { AppendWithHeader(w, names.localEvents, kLocalHeader, CsvRecord(local) + job.tail); });
  const std::string record = CsvRecord(CurrentEventFields(w, job.activity, false));
  Once(job, LogWrite::LocalList, [&] { AppendWithHeader(w, names.localList, kNetworkHeader, record); });
}

void WriteNetworkLogs(MainWindow& w, EventLogJob& job) {
  if (!WritingAllowed(w) || !w.mnuAuto->checked || job.networkEnded) return;
  const LogFileNames names = CurrentLogFiles(w);
  const std::string record = CsvRecord(CurrentEventFields(w, job.activity, false));
  if (w.mnuhtml->checked)
    Once(job, LogWrite::NetworkHtml,
         [&] { AppendHtmlRow(w, names.networkHtml, HtmlRow(CurrentEventFields(w, job.activity, true))); });

  const std::string withTail = Line(record + job.tail);
  if (w.fs().exists(names.networkEvents))
    Once(job, LogWrite::NetworkEvents, [&] { w.fs().append(names.networkEvents, withTail); });
  else
    Guarded(w, job, LogWrite::NetworkEvents, [&] { w.fs().append(names.networkEvents, withTail); });

  if (!w.editingRow) Guarded(w, job, LogWrite::LastEvent, [&] { w.fs().replace(names.lastEvent, withTail); });
  Guarded(w, job, LogWrite::NetworkList, [&] { AppendWithHeader(w, names.networkList, kNetworkHeader, record); });
  if (job.networkEnded) return;
  Once(job, LogWrite::ClearMet, [&] { w.nav.metItems.fill(std::string()); });
  Guarded(w, job, LogWrite::CtdAtDepth, [&] { ApplyCtdRule(w, names.ctdAtDepth, record); });
}

void EndNetworkPart(MainWindow& w, EventLogJob& job, const std::string& failedPath) {
  job.networkEnded = true;
  w.ask(SavedLocallyMessage(LocalCopyOf(w, failedPath)), "");
}

}  // namespace ruvek
