#pragma once
// What the fuzz targets share: a failed expectation aborts, so libFuzzer keeps
// the input; the first byte of an input picks what a target feeds it to.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace ruvek::fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The first byte as a choice among `count`, and the bytes after it. The checked-in
// seeds use the digits "0", "1", ... so that they read as text.
struct Selected {
  unsigned choice = 0;
  std::string_view rest;
};
inline Selected Select(const std::uint8_t* data, std::size_t size, unsigned count) {
  if (size == 0) return {};
  return {(unsigned(data[0]) - '0') % count, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
}

}  // namespace ruvek::fuzz
