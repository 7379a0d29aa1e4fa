#pragma once
// What the GPS window does with received text, apart from the window: lines
// split off the receive buffer into the display, the display kept to its last
// characters, the primary and date sentences found in it and the current
// position file text built from them.
#include <cstddef>
#include <optional>
#include <string>

namespace ruvek {

// The display keeps this many characters, the newest.
inline constexpr std::size_t kDisplayLimit = 1500;
// The receive buffer keeps at most this many characters of a line whose end
// has not come, the newest, so a port that never ends a line cannot fill the
// memory.
inline constexpr std::size_t kReceiveLimit = 64 * 1024;

// Moves every complete line from the front of `buffer` to the end of
// `display`, each followed by CR LF, and keeps the display to its last
// kDisplayLimit characters. A line ends at a CR; an LF right after it is
// dropped with it. A CR that is the last character waits in the buffer for
// the character after it. What is left (a line not yet complete) is cut to
// its last kReceiveLimit characters.
// Example: buffer "$GPGGA,1*47\r\n$GPR" -> display gains "$GPGGA,1*47\r\n", buffer "$GPR".
void SplitReceived(std::string& buffer, std::string& display);

// Appends a line and CR LF to the display, which keeps its last kDisplayLimit characters.
void AppendToDisplay(std::string& display, const std::string& line);

// The newest (last) occurrence of `id` in the complete lines of `text`, up to
// and including the CR that ends its line; empty when no complete line holds
// `id`. Text after the last CR is a line still arriving and is never taken.
// An empty `id` is found at the start of the last complete line.
// Example: "$GPGGA,1\r\n$GPGGA,2\r\n$GPGGA,3" -> "$GPGGA,2\r".
std::string NewestSentence(const std::string& text, const std::string& id);

// The current position file text: two records, the primary sentence and the
// date sentence, each as a double quote, the sentence (with its CR), a double
// quote and CR LF; a sentence not found is an empty quoted text. A primary
// sentence that holds ",,,$" at (1-based) position f is cut to its first
// (length - f) characters first.
// Example: "$GPGGA,1\r", "" -> "\"$GPGGA,1\r\"\r\n\"\"\r\n".
std::string PositionRecords(std::string primary, const std::string& date);

// One collection of received text: the complete lines of `buffer` go to
// `display`, and the position file text is built from the newest sentences
// `primaryId` and `dateId` the display holds, so the file holds the latest fix
// received. Nothing when the buffer is empty or the display holds no primary
// sentence of at least 5 characters.
std::optional<std::string> ParseInput(std::string& buffer, std::string& display, const std::string& primaryId,
                                      const std::string& dateId);

}  // namespace ruvek
