#pragma once
// Small readers for the event logs a headless station wrote, shared by the
// recording, log file and preload end-to-end tests.
#include <string>
#include <vector>

namespace ruvek::test {

// The file's lines without their CR LF; a line that ends without CR LF is
// returned with a trailing "<no CR LF>" so a missing line end shows.
inline std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Comma-separated column `n` (0-based) of a log line.
inline std::string Column(const std::string& line, int n) {
  std::size_t start = 0;
  for (int i = 0; i < n; ++i) {
    start = line.find(',', start);
    if (start == std::string::npos) return "<none>";
    ++start;
  }
  return line.substr(start, line.find(',', start) - start);
}

// The value printed by `get NAME` in a script's output.
inline std::string Got(const std::string& out, const std::string& name) {
  const std::string key = name + "=";
  std::size_t pos = 0;
  std::string value = "<not printed>";
  while ((pos = out.find(key, pos)) != std::string::npos) {
    if (pos == 0 || out[pos - 1] == '\n') {
      const std::size_t end = out.find('\n', pos);
      value = out.substr(pos + key.size(), end - pos - key.size());
    }
    pos += key.size();
  }
  return value;
}

// The output of a script section that starts with the line `echo == name`,
// up to the next such line.
inline std::string Section(const std::string& out, const std::string& name) {
  const std::string mark = "== " + name + "\n";
  const std::size_t at = out.find(mark);
  if (at == std::string::npos) return std::string();
  const std::size_t from = at + mark.size(), to = out.find("\n== ", from - 1);
  return out.substr(from, to == std::string::npos ? std::string::npos : to + 1 - from);
}

// The first `cols` cells of a grid row as printed by GetRows, joined by "|".
inline std::string RowText(const std::string& out, int row, int cols = 10) {
  std::string shown;
  for (int c = 0; c < cols; ++c)
    shown += Got(out, "EventLog(" + std::to_string(row) + "," + std::to_string(c) + ")") + "|";
  return shown;
}

// Script lines that print the first `cols` cells of grid rows first to last.
inline std::string GetRows(int first, int last, int cols = 10) {
  std::string script;
  for (int r = first; r <= last; ++r)
    for (int c = 0; c < cols; ++c) script += "get EventLog(" + std::to_string(r) + "," + std::to_string(c) + ")\n";
  return script;
}

inline std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + part.size())) ++n;
  return n;
}

// A station started with the ready question answered and a position typed into
// the boxes; the first Record Event of a run asks whether to record although
// the time has not moved (no poll tick ran), which the queued Yes answers.
inline std::string Started(const std::string& clock = "2026-06-08 03:00:00") {
  return "clock " + clock + "\nanswer Yes\nstart\ntype Text1(3) 32.91234\ntype Text1(4) -117.41234\nanswer Yes\n";
}

inline std::string Record(const std::string& event) { return "choose Combo1 " + event + "\nclick Command1(0)\n"; }

// The tail of an event without navigation line or MET data: 112 commas.
inline std::string EmptyTail() { return std::string(112, ','); }

}  // namespace ruvek::test
