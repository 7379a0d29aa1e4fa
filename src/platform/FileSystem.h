#pragma once
// The file layer. The program names files in the Windows form the operators
// know (C:\RuvekGPS\RuvekGPS.cfg); this layer maps a drive letter X to the
// host folder $RUVEK_ROOT/X, each backslash to a slash. A path starting with
// "/" is a host path already.
//
// Every operation opens, works and closes within the call and throws
// FileError on failure: appends go out in one write whose result is checked,
// and one-line shared files are replaced whole through a rename, so another
// logging computer never reads half a line.
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ruvek::ui {

struct FileError : std::runtime_error {
  FileError(const std::string& what, std::string path) : std::runtime_error(what), path(std::move(path)) {}
  std::string path;  // the file as the program names it
};

class FileSystem {
 public:
  explicit FileSystem(std::string root = {}) : root_(std::move(root)) {}

  const std::string& root() const { return root_; }
  std::string hostPath(const std::string& path) const;

  // True for an existing regular file.
  bool exists(const std::string& path) const;
  bool folderExists(const std::string& path) const;
  std::string readAll(const std::string& path) const;
  // The lines of a text file, split as platform/Lines.h splits text.
  std::vector<std::string> readLines(const std::string& path) const;
  // The first line, or "" for an empty file.
  std::string firstLine(const std::string& path) const;
  // Calls visit(line) for every line of the file, read in blocks, so a long
  // file is never held whole. The visitor may take the line's text (swap it
  // away).
  void forEachLine(const std::string& path, const std::function<void(std::string&)>& visit) const;
  // The last line of the file that has at least minLength characters, read
  // from the end of the file backwards; nothing when there is none.
  std::optional<std::string> lastLineOfAtLeast(const std::string& path, std::size_t minLength) const;
  // Appends `data` in one write; creates the file when missing.
  void append(const std::string& path, const std::string& data) const;
  // Creates or truncates the file and writes `data`.
  void write(const std::string& path, const std::string& data) const;
  // Writes a new file beside the old one, then renames it over the old one.
  void replace(const std::string& path, const std::string& data) const;
  void remove(const std::string& path) const;

 private:
  std::string root_;
};

}  // namespace ruvek::ui
