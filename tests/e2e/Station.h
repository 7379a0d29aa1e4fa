#pragma once
// A logging station on a temporary drive folder, and the program run headless
// on it with an operator script. Paths are given in the Windows form the
// program uses ("C:\RuvekGPS\Watch.txt").
#include <map>
#include <string>

namespace ruvek::test {

struct RunResult {
  std::string out, err;
  int code = -1;
};

class Station {
 public:
  Station();
  // A station on the folder `root` (created when missing), which outlives the
  // object: the stress and crash harnesses keep their stations for a look.
  explicit Station(std::string root);
  ~Station();
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  const std::string& root() const { return root_; }
  std::string host(const std::string& winPath) const;
  void write(const std::string& winPath, const std::string& content) const;
  std::string read(const std::string& winPath) const;
  bool exists(const std::string& winPath) const;
  void remove(const std::string& winPath) const;

  // The configuration rows a station starts from, changed by `rows`.
  void writeConfig(const std::map<int, std::string>& rows = {}) const;
  // A whole ready station: configuration, event list, initials, comment
  // options, line and station files and an event number file holding 10.
  void seed(const std::map<int, std::string>& rows = {}) const;

  // Runs `ruvek --headless` with `script` on this station; `shellSetup` runs
  // first in the same shell (for example a file size limit).
  RunResult run(const std::string& script, const std::string& shellSetup = {}) const;

 private:
  std::string root_;
  bool owned_ = true;  // removed with the object
};

// Lines of text joined with CR LF, each line ended.
std::string CrLf(std::initializer_list<const char*> lines);

}  // namespace ruvek::test
