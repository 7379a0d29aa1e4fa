#pragma once
// Command-line options of the harnesses: "--name value" and "--flag".
#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace ruvek::harness {

class Args {
 public:
  // `valued` options take the next argument; `flags` take none. Anything else
  // throws std::invalid_argument naming it.
  Args(int argc, char** argv, const std::set<std::string>& valued, const std::set<std::string>& flags) {
    for (int i = 1; i < argc; ++i) {
      const std::string a = argv[i];
      if (flags.count(a)) {
        values_[a] = "";
      } else if (valued.count(a) && i + 1 < argc) {
        values_[a] = argv[++i];
      } else {
        throw std::invalid_argument("unknown option or missing value: " + a);
      }
    }
  }

  bool has(const std::string& name) const { return values_.count(name) > 0; }
  std::string text(const std::string& name, const std::string& fallback) const {
    auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
  }
  long number(const std::string& name, long fallback) const {
    auto it = values_.find(name);
    if (it == values_.end()) return fallback;
    std::size_t used = 0;
    const long n = std::stol(it->second, &used);
    if (used != it->second.size() || n < 0) throw std::invalid_argument("not a count: " + name + " " + it->second);
    return n;
  }

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace ruvek::harness
