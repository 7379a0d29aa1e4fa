#pragma once
// The file layer. The program names files in the Windows form the operators
// know (C:\RuvekGPS\RuvekGPS.cfg); this layer maps a drive letter X to the
// host folder $RUVEK_ROOT/X, each backslash to a slash; "." and ".." are
// resolved there and never climb above the drive's folder, as on the drive
// itself. A path starting with "/" is a host path already. Any other path
// (relative, drive-relative as "DATA\", a share name as "\\server\x") is not a
// full path: it is never resolved against the working folder, every operation
// on it fails.
//
// Every operation opens, works and closes within the call and throws
// FileError on failure: appends go out in one write whose result is checked
// and are taken back when they cannot go out whole, and one-line shared files
// are replaced whole through a rename, so another logging computer never reads
// half a line.
//
// Temporary files are named "<file>.tmp.<host>.<process id>.<random>", beside
// the file they become: unique between computers started from one system
// image, and recognisable as this computer's own when a killed run left them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ruvek::os {

struct FileError : std::runtime_error {
  FileError(const std::string& what, std::string file) : std::runtime_error(what), path(std::move(file)) {}
  std::string path;  // the file as the program names it
};

// Whether a write must be on the disk before the call returns: the file's data
// is flushed (fsync), and its folder when the call gave the file a new name
// (put off while a FolderFlushes is open).
enum class Flush { No, Yes };

class FolderFlushes;

class FileSystem {
 public:
  explicit FileSystem(std::string root = {}) : root_(std::move(root)) {}

  const std::string& root() const { return root_; }
  // The host file of `path`; throws FileError for a path that is not full.
  std::string hostPath(const std::string& path) const;

  // True for an existing regular file.
  bool exists(const std::string& path) const;
  bool folderExists(const std::string& path) const;
  // The whole file; a file larger than `maxBytes` is refused (FileError)
  // before anything is read, so a runaway writer never makes a read without end.
  std::string readAll(const std::string& path, std::uintmax_t maxBytes = UINTMAX_MAX) const;
  // The lines of a text file, split as os/Lines.h splits text.
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
  // The bytes of the file from `offset` to its end, as they stand now; ""
  // when the file is shorter (a reader that remembers how far it read takes
  // only what was appended since).
  std::string readFrom(const std::string& path, std::uintmax_t offset) const;
  // The size of an existing file; nothing when it is missing or unreachable.
  std::optional<std::uintmax_t> size(const std::string& path) const;
  // Appends `data` in one write; creates the file when missing. A write that
  // cannot go out whole (a full drive) is taken back: the file is cut to its
  // former length and FileError is thrown, so no log keeps half a record.
  void append(const std::string& path, const std::string& data, Flush flush = Flush::No) const;
  // Makes the new file `path` holding `data`, whole or not at all: written and
  // flushed under a temporary name, then linked to its name. False, and nothing
  // changed, when `path` exists already (another station made it first).
  bool create(const std::string& path, const std::string& data) const;
  // Replaces the file whole: written and flushed under a temporary name beside
  // it, renamed over it, and the folder flushed (put off while a FolderFlushes
  // is open). A failure leaves the old file and no temporary file.
  void replace(const std::string& path, const std::string& data) const;
  // The same for a file made piece by piece: `fill` calls `write` with each
  // piece in order (it may clear and reuse the text afterwards), so a large
  // file is never held whole. Whatever `fill` throws leaves the old file and
  // no temporary file, and is thrown on.
  using Writer = std::function<void(const std::string& piece)>;
  void replaceWith(const std::string& path, const std::function<void(const Writer& write)>& fill) const;
  void remove(const std::string& path) const;
  // Removes the temporary files a killed run of this computer left in
  // `folder`: those named with this host's name and the id of a process that
  // no longer runs. Another computer's files, and those of a station running
  // on this one, are left alone. Returns the names removed.
  std::vector<std::string> removeStaleTemporaries(const std::string& folder) const;

  // Flushes, once each, the folders whose flush a FolderFlushes put off so
  // far. Best effort, as every folder flush: some network file systems refuse
  // it, and the files themselves are whole already.
  void flushFolders() const;

 private:
  friend class FolderFlushes;
  // A call gave `hostFile` a new name: its folder is flushed now, or noted
  // while the flushes are put off.
  void folderChanged(const std::string& hostFile) const;

  std::string root_;
  mutable int putOff_ = 0;
  mutable std::vector<std::string> changedFolders_;
};

// Puts the folder flushes of one piece of work off while it lives, so that a
// folder that gets several new names (an event's one-line files and HTML logs)
// is flushed once; when the last one ends, the noted folders are flushed.
// Nothing written in the meantime may be told durable to anyone (the operator,
// the backlog) before flushFolders() has run.
class FolderFlushes {
 public:
  explicit FolderFlushes(const FileSystem& files) : files_(files) { ++files_.putOff_; }
  ~FolderFlushes() {
    if (--files_.putOff_ == 0) files_.flushFolders();
  }
  FolderFlushes(const FolderFlushes&) = delete;
  FolderFlushes& operator=(const FolderFlushes&) = delete;

 private:
  const FileSystem& files_;
};

// The name a temporary file of process `pid` on this computer gets beside the
// host file `hostFile`: "<hostFile>.tmp.<host>.<pid>.<16 hex digits>".
std::string TemporaryName(const std::string& hostFile, long pid);

}  // namespace ruvek::os
