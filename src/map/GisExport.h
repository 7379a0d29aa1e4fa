#pragma once
// The cruise's events for GIS tools: GeoJSON (a FeatureCollection, RFC 7946:
// longitude first, WGS 84) or KML, one point feature per event with its record
// columns as properties, and the track through the events' positions as a
// line. Rows without a valid position are left out and counted.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ui/Platform.h"
#include "windows/Station.h"

namespace ruvek {

enum class GisFormat { GeoJson, Kml };

// The format a file name asks for by its extension (".geojson", ".json",
// ".kml", in any case); nothing for another one.
std::optional<GisFormat> GisFormatOf(const std::string& path);

struct GisFile {
  std::string text;
  std::size_t events = 0;           // point features written
  std::size_t withoutPosition = 0;  // rows left out
  bool track = false;               // a track line was written
};

// The export of the event log text `log` (its rows as the logs hold them).
// Texts that are not UTF-8 are taken as Latin-1, so the file is always valid.
GisFile EventsForGis(std::string_view log, GisFormat format, std::string_view title);

// Writes the export of the log at `logPath` to `outPath` whole (through a
// temporary file) and says how many events it holds and how many were left
// out; a log that cannot be read or a file that cannot be written is
// reported and nothing is changed.
void ExportEventsForGis(ui::Platform& platform, const std::string& logPath, const std::string& outPath,
                        const std::string& cruise);

// The menu entry "Export Events for GIS...": asks for the file with the file
// dialog; its extension picks the format.
void ExportCruiseForGis(Station& s);

// The log the cruise's events are read from: the network event log, or the
// local one when there is no network log.
std::string CruiseEventLog(Station& s);

}  // namespace ruvek
