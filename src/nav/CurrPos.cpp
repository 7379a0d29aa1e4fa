#include "nav/CurrPos.h"

#include <filesystem>

namespace ruvek {
namespace {

constexpr int kReadWaitMs = 2000;
constexpr int kSilentAttempts = 6;

// The whole file, refusing one too large to be a position file so that a runaway
// writer cannot make the poll read without end. Throws ui::FileError.
std::string ReadBounded(MainWindow& w, const std::string& path, std::uintmax_t maxBytes) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(w.fs().hostPath(path), ec);
  if (!ec && size > maxBytes) throw ui::FileError("too large for a position file: " + path, path);
  return w.fs().readAll(path);
}

CurrPosResult ReadOnce(MainWindow& w, const std::string& path) {
  try {
    return ParseCurrPos(ReadBounded(w, path, kMaxPositionFileBytes), w.config.row(14), w.config.row(15));
  } catch (const ui::FileError&) {
    CurrPosResult failed;
    failed.status = CurrPosResult::ReadError;
    return failed;
  }
}

bool OperatorRetries(MainWindow& w, const std::string& path) {
  return w.ask("Having trouble reading " + path + " Y to retry after checking Q is available.",
               "Unable to READ from the server!", ui::Buttons::YesNo, ui::Icon::Error) == ui::Answer::Yes;
}

const char* GpsStatusText(CurrPosResult::Status status) {
  switch (status) {
    case CurrPosResult::Good: return kGpsGood;
    case CurrPosResult::NoFix: return kGpsNoFix;
    case CurrPosResult::BadChecksum: return kGpsBadChecksum;
    default: return kGpsBad;
  }
}

void ShowGpsStatus(MainWindow& w, CurrPosResult::Status status) { w.statusBar->panel(3).text = GpsStatusText(status); }

}  // namespace

CurrPosResult ReadCurrPos(MainWindow& w, const std::string& path) {
  int attempts = 0;
  while (true) {
    CurrPosResult read = ReadOnce(w, path);
    if (read.status != CurrPosResult::ReadError) {
      ShowGpsStatus(w, read.status);
      if (read.status != CurrPosResult::Good) return read;
      if (read.utcTime) w.nav.utcTime = *read.utcTime;
      if (read.utcDate) w.nav.utcDate = *read.utcDate;
      w.nav.rawLine = read.rawLine;
      return read;
    }
    w.wait(kReadWaitMs);
    if (++attempts <= kSilentAttempts) continue;
    if (OperatorRetries(w, path)) {
      attempts = 0;
      continue;
    }
    // The operator gives up on this read: no position this time.
    ShowGpsStatus(w, CurrPosResult::Bad);
    return CurrPosResult{};
  }
}

DecimalPosition ReadMetRecord(MainWindow& w, const std::string& path) {
  const std::string bytes = ReadBounded(w, path, kMaxPositionFileBytes);
  const MetResult met = ParseMetRecord(bytes, w.nav.metItems, w.metLatIndex, w.metLonIndex);
  if (met.status != MetResult::Good) throw ui::FileError("unreadable MET record in " + path, path);
  w.setStatus("Reading Current Position file...");
  w.text1[1]->setText(met.localDate);
  w.text1[2]->setText(met.localTime);
  w.text1[3]->setText(met.latText);
  w.text1[4]->setText(met.lonText);
  w.text1[6]->setText(w.nav.utcDate);
  w.text1[7]->setText(w.nav.utcTime);
  return met.position;
}

void ShowDatagram(MainWindow& w) {
  const DatagramDisplay shown = ParseDatagram(w.udpDatagram);
  w.text1[1]->setText(shown.localDate);
  w.text1[2]->setText(shown.localTime);
  w.text1[3]->setText(shown.latText);
  w.text1[4]->setText(shown.lonText);
}

}  // namespace ruvek
