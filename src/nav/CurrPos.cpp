#include "nav/CurrPos.h"

namespace ruvek {
namespace {

constexpr int kReadWaitMs = 2000;
constexpr int kSilentAttempts = 6;

// The whole file, refusing one too large to be a position file so that a runaway
// writer cannot make the poll read without end. Throws os::FileError.
std::string ReadBounded(const os::FileSystem& fs, const std::string& path, std::uintmax_t maxBytes) {
  return fs.readAll(path, maxBytes);
}

CurrPosResult ReadOnce(const os::FileSystem& fs, const CruiseConfig& config, const std::string& path) {
  try {
    return ParseCurrPos(ReadBounded(fs, path, kMaxPositionFileBytes), config[ConfigRow::PrimarySentence],
                        config[ConfigRow::DateSentence]);
  } catch (const os::FileError&) {
    CurrPosResult failed;
    failed.status = CurrPosResult::ReadError;
    return failed;
  }
}

bool OperatorRetries(ui::Platform& platform, const std::string& path) {
  return platform.ask("Having trouble reading " + path + " Y to retry after checking Q is available.",
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

void ShowGpsStatus(ui::StatusBar& status, CurrPosResult::Status read) { status.panel(3).text = GpsStatusText(read); }

}  // namespace

CurrPosResult ReadCurrPos(ui::Platform& platform, const CruiseConfig& config, const std::string& path,
                          ui::StatusBar& status, NavSnapshot& nav) {
  int attempts = 0;
  while (true) {
    CurrPosResult read = ReadOnce(platform.files(), config, path);
    if (read.status != CurrPosResult::ReadError) {
      ShowGpsStatus(status, read.status);
      if (read.status != CurrPosResult::Good) return read;
      if (read.utcTime) nav.utcTime = *read.utcTime;
      if (read.utcDate) nav.utcDate = *read.utcDate;
      nav.rawLine = read.rawLine;
      return read;
    }
    platform.wait(kReadWaitMs);
    if (++attempts <= kSilentAttempts) continue;
    if (OperatorRetries(platform, path)) {
      attempts = 0;
      continue;
    }
    // The operator gives up on this read: no position this time.
    ShowGpsStatus(status, CurrPosResult::Bad);
    return CurrPosResult{};
  }
}

DecimalPosition ReadMetRecord(const os::FileSystem& fs, const std::string& path, PollState& poll, Boxes& boxes,
                              ui::StatusBar& status) {
  const std::string bytes = ReadBounded(fs, path, kMaxPositionFileBytes);
  NavSnapshot& nav = poll.nav;
  const MetResult met = ParseMetRecord(bytes, nav.metItems, poll.metLatIndex, poll.metLonIndex);
  if (met.status != MetResult::Good) throw os::FileError("unreadable MET record in " + path, path);
  status.setText("Reading Current Position file...");
  boxes.date.setText(met.localDate);
  boxes.time.setText(met.localTime);
  boxes.lat.setText(met.latText);
  boxes.lon.setText(met.lonText);
  boxes.utcDate.setText(nav.utcDate);
  boxes.utcTime.setText(nav.utcTime);
  return met.position;
}

void ShowDatagram(const std::string& datagram, Boxes& boxes) {
  const DatagramDisplay shown = ParseDatagram(datagram);
  boxes.date.setText(shown.localDate);
  boxes.time.setText(shown.localTime);
  boxes.lat.setText(shown.latText);
  boxes.lon.setText(shown.lonText);
}

}  // namespace ruvek
