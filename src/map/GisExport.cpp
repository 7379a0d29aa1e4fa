#include "map/GisExport.h"

#include <array>
#include <charconv>
#include <cstring>

#include "core/EventLogSchema.h"
#include "map/EventRows.h"

namespace ruvek {
namespace {

// The property names: the network log's column names.
constexpr std::array<std::string_view, LogColumn::RecordColumns> kNames = {
    "Cruise", "Event#",   "StndLine", "StndSta",  "CalcLine", "CalcSta", "DatePST",  "TimePST", "DecLat",
    "DecLon", "Activity", "Event",    "Operator", "DateUTC",  "TimeUTC", "Comments", "Ord_Occ"};

enum class Escape { Json, Xml };

// Room for the head or the tail of an export.
constexpr std::size_t kRowRoom = 4096;

// The length of a valid UTF-8 sequence starting at s[i], or 0.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n = b >= 0xf0 && b <= 0xf4 ? 4 : b >= 0xe0 ? 3 : b >= 0xc2 && b < 0xe0 ? 2 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xc0) != 0x80) return 0;
  return n;
}

void AppendText(std::string& out, std::string_view s, Escape how) {
  std::size_t plain = 0;  // start of the run not yet copied
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const bool special = c < 0x20 || c >= 0x80 || c == '"' || c == '\\' || c == '&' || c == '<' || c == '>';
    if (!special) continue;
    out.append(s.data() + plain, i - plain);
    plain = i + 1;
    if (c >= 0x80) {
      if (const std::size_t n = Utf8Length(s, i)) {
        out.append(s.data() + i, n);
        i += n - 1;
        plain = i + 1;
      } else {
        // A Latin-1 byte, as a Windows keyboard typed it.
        out += char(0xc0 | (c >> 6));
        out += char(0x80 | (c & 0x3f));
      }
      continue;
    }
    if (how == Escape::Json) {
      if (c == '"' || c == '\\') {
        out += '\\';
        out += char(c);
      } else if (c < 0x20) {
        out += c == '\t' ? "\\t" : " ";
      } else {
        out += char(c);
      }
    } else {
      switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c < 0x20 ? ' ' : char(c);
      }
    }
  }
  out.append(s.data() + plain, s.size() - plain);
}

void AppendNumber(std::string& out, double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

void GeoJsonFeature(std::string& out, const RecordViews& cols, double lat, double lon, bool first) {
  out += first ? "\n" : ",\n";
  out += R"({"type":"Feature","geometry":{"type":"Point","coordinates":[)";
  AppendNumber(out, lon);
  out += ',';
  AppendNumber(out, lat);
  out += "]},\"properties\":{";
  for (std::size_t i = 0; i < cols.size(); ++i) {
    if (i) out += ',';
    out += '"';
    out += kNames[i];
    out += "\":\"";
    AppendText(out, Trimmed(cols[i]), Escape::Json);
    out += '"';
  }
  out += "}}";
}

void KmlPlacemark(std::string& out, const RecordViews& cols, double lat, double lon) {
  out += "<Placemark><name>";
  AppendText(out, Trimmed(cols[LogColumn::EventNo]), Escape::Xml);
  out += ' ';
  AppendText(out, Trimmed(cols[LogColumn::Event]), Escape::Xml);
  out += "</name><ExtendedData>";
  for (std::size_t i = 0; i < cols.size(); ++i) {
    out += "<Data name=\"";
    out += kNames[i];
    out += "\"><value>";
    AppendText(out, Trimmed(cols[i]), Escape::Xml);
    out += "</value></Data>";
  }
  out += "</ExtendedData><Point><coordinates>";
  AppendNumber(out, lon);
  out += ',';
  AppendNumber(out, lat);
  out += "</coordinates></Point></Placemark>\n";
}

}  // namespace

std::optional<GisFormat> GisFormatOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos) return std::nullopt;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (ext == "geojson" || ext == "json") return GisFormat::GeoJson;
  if (ext == "kml") return GisFormat::Kml;
  return std::nullopt;
}

namespace {

// Builds the export row by row, into one text that is written at the end.
class GisWriter {
 public:
  GisWriter(GisFormat format, std::string_view title, std::size_t expectedBytes) : format_(format) {
    file_.text.reserve(expectedBytes + kRowRoom);
    std::string& out = file_.text;
    if (format_ == GisFormat::GeoJson) {
      out += R"({"type":"FeatureCollection","name":")";
      AppendText(out, title, Escape::Json);
      out += "\",\"features\":[";
    } else {
      out +=
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml "
          "xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document><name>";
      AppendText(out, title, Escape::Xml);
      out += "</name>\n";
    }
  }

  void row(std::string_view row) {
    const RecordViews cols = SplitRecord(row);
    if (!IsEventRow(Trimmed(row), cols)) return;
    double lat = 0, lon = 0;
    if (!RowPosition(cols, lat, lon)) {
      ++file_.withoutPosition;
      return;
    }
    if (format_ == GisFormat::GeoJson) {
      GeoJsonFeature(file_.text, cols, lat, lon, file_.events == 0);
      track_ += track_.empty() ? "[" : ",[";
    } else {
      KmlPlacemark(file_.text, cols, lat, lon);
      if (!track_.empty()) track_ += ' ';
    }
    AppendNumber(track_, lon);
    track_ += ',';
    AppendNumber(track_, lat);
    if (format_ == GisFormat::GeoJson) track_ += ']';
    ++file_.events;
  }

  // The text made so far, for a writer that takes it piece by piece.
  std::string& text() { return file_.text; }

  GisFile finish() {
    std::string& out = file_.text;
    file_.track = file_.events > 1;
    if (format_ == GisFormat::GeoJson) {
      if (file_.track) {
        out += ",\n{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\",\"coordinates\":[";
        out += track_;
        out += "]},\"properties\":{\"Event\":\"Track\"}}";
      }
      out += "\n]}\n";
    } else {
      if (file_.track) {
        out += "<Placemark><name>Track</name><LineString><coordinates>";
        out += track_;
        out += "</coordinates></LineString></Placemark>\n";
      }
      out += "</Document>\n</kml>\n";
    }
    return std::move(file_);
  }

 private:
  GisFormat format_;
  GisFile file_;
  std::string track_;  // the coordinates of the track line, in the file's form
};

// The text an export of a log of `logBytes` bytes is expected to need: the
// record columns are about a sixth of a row that carries its MET tail.
std::size_t ExpectedBytes(std::uintmax_t logBytes) { return std::size_t(logBytes / 4); }

// A file export goes out in pieces of about this size, the text reused, so a
// large export never takes memory (and the page faults of touching it) in
// proportion to the cruise.
constexpr std::size_t kPiece = 1 << 20;

}  // namespace

GisFile EventsForGis(std::string_view log, GisFormat format, std::string_view title) {
  GisWriter writer(format, title, ExpectedBytes(log.size()));
  std::size_t start = 0;
  while (start < log.size()) {
    const char* nl = static_cast<const char*>(std::memchr(log.data() + start, '\n', log.size() - start));
    const std::size_t end = nl ? std::size_t(nl - log.data()) : log.size();
    writer.row(log.substr(start, end - start));
    start = end + 1;
  }
  return writer.finish();
}

void ExportEventsForGis(ui::Platform& platform, const std::string& logPath, const std::string& outPath,
                        const std::string& cruise) {
  const auto format = GisFormatOf(outPath);
  if (!format) {
    platform.ask("Choose a file ending in .geojson or .kml for " + outPath, "Export Events for GIS", ui::Buttons::OK,
                 ui::Icon::Exclamation);
    return;
  }
  const os::FileSystem& fs = platform.files();
  GisFile file;
  try {
    if (!fs.exists(logPath)) throw os::FileError("no file", logPath);
    fs.replaceWith(outPath, [&](const os::FileSystem::Writer& write) {
      GisWriter writer(*format, cruise, kPiece);
      std::string& text = writer.text();
      // The log is read in blocks and never held whole either.
      fs.forEachLine(logPath, [&](std::string& line) {
        writer.row(line);
        if (text.size() < kPiece) return;
        write(text);
        text.clear();
      });
      file = writer.finish();
      write(file.text);
    });
  } catch (const os::FileError& e) {
    platform.ask((e.path == logPath ? "Unable to read " : "Unable to write ") + e.path, "", ui::Buttons::OK,
                 ui::Icon::Error);
    return;
  }
  std::string text =
      std::to_string(file.events) + (file.events == 1 ? " event" : " events") + " written to " + outPath + ".";
  if (file.withoutPosition > 0)
    text += " " + std::to_string(file.withoutPosition) + (file.withoutPosition == 1 ? " event" : " events") +
            " without a position left out.";
  platform.ask(text, "Export Events for GIS");
}

std::string CruiseEventLog(Station& s) {
  const LogFileNames names =
      LogFileNamesFor(s.settings.programDir, s.settings.dataDir, s.main.boxes.cruise.text(), s.settings.eventListType);
  try {
    if (s.platform.files().exists(names.networkEvents)) return names.networkEvents;
  } catch (const os::FileError&) {
    // A data directory that is no full path has no network log.
  }
  return names.localEvents;
}

void ExportCruiseForGis(Station& s) {
  const auto path = s.platform.saveFileDialog(s.settings.dataDir);
  if (!path || path->empty()) return;
  ExportEventsForGis(s.platform, CruiseEventLog(s), *path, s.main.boxes.cruise.text());
}

}  // namespace ruvek
