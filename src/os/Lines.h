#pragma once
// The one rule by which the program splits text into lines: a line ends at
// CR LF, LF or a lone CR, and is passed without its end; a final line end adds
// no empty line after it. Two forms share it: the whole-text form for text
// already in memory, and the streaming form for text fed block by block (a CR
// at the end of one block and an LF at the start of the next end one line).
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace ruvek {

// The end of the line that starts at p: the first CR or LF before end, or end.
// Lines mostly end in CR LF: the LF is found first, then a CR before it.
inline const char* FindLineEnd(const char* p, const char* end) {
  const char* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
  const char* limit = lf ? lf : end;
  const char* cr = static_cast<const char*>(std::memchr(p, '\r', std::size_t(limit - p)));
  return cr ? cr : limit;
}

// Calls visit(std::string_view line) for every line of text. A visitor that
// returns bool stops the walk by returning false.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* stop = FindLineEnd(p, end);
    const std::string_view line(p, std::size_t(stop - p));
    if constexpr (std::is_same_v<decltype(visit(line)), bool>) {
      if (!visit(line)) return;
    } else {
      visit(line);
    }
    if (stop == end) return;
    p = stop + (*stop == '\r' && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
  }
}

// The lines of text as strings.
std::vector<std::string> SplitLines(std::string_view text);

// The streaming form: feed() the text block by block, then finish(). Each
// completed line is passed to visit(std::string& line); the visitor may take
// the text (swap it away), the splitter starts the next line afresh.
class LineSplitter {
 public:
  template <typename Visit>
  void feed(const char* p, std::size_t size, Visit&& visit) {
    const char* end = p + size;
    while (p < end) {
      if (afterCr_ && *p == '\n') ++p;  // the LF of a CR LF split across two blocks
      afterCr_ = false;
      if (p == end) return;
      const char* stop = FindLineEnd(p, end);
      line_.append(p, stop);
      if (stop == end) return;
      afterCr_ = *stop == '\r';
      visit(line_);
      line_.clear();
      p = stop + 1;
    }
  }
  // The last line, when the text does not end with a line end.
  template <typename Visit>
  void finish(Visit&& visit) {
    if (!line_.empty()) visit(line_);
    line_.clear();
    afterCr_ = false;
  }

 private:
  std::string line_;
  bool afterCr_ = false;
};

}  // namespace ruvek
