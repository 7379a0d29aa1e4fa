#pragma once
// Captions and headings of the three condition option groups, taken from the
// lines of the comment options file at start-up. The option buttons are narrow,
// so a long option line is shown abbreviated (vowels dropped, then cut); the
// full line stays in the option's comment text.
#include <string>
#include <string_view>

namespace ruvek {

// The caption for an option line: the line itself when it has at most limit
// characters; otherwise the line upper-cased with every letter of removalOrder
// removed in turn (all "E" first, and so on), stopping as soon as it fits, and if
// it still does not fit, its first cutLength characters.
std::string AbbreviateOption(const std::string& line, std::size_t limit, std::string_view removalOrder,
                             std::size_t cutLength);

// Station type options (lines 2 to 4): limit 7, drop E, O, I, A, then the first 6.
// "Standard" -> "STNDRD", "SCCOOS" -> "SCCOOS".
std::string StationTypeCaption(const std::string& line);
// Sea condition options (lines 6 to 8): limit 5, drop E, A, I, the digit 0, then cut to 5.
// "Moderate" -> "MODRT".
std::string SeaConditionCaption(const std::string& line);
// Day/night options (lines 10 and 11): limit 5, drop E, O, I, A, then cut to 5.
std::string DayNightCaption(const std::string& line);

// Group headings. Station type: the first 32 characters when longer, trimmed
// either way. Sea conditions: the first 24 characters when longer, not trimmed.
// Day/night: the first 15 characters when longer, not trimmed.
std::string StationTypeHeading(const std::string& line);
std::string SeaConditionsHeading(const std::string& line);
std::string DayNightHeading(const std::string& line);

// The comment text an option puts into the comments box: the group heading,
// ": " and the option's full line, e.g. "Sea Conditions: Calm".
std::string OptionCommentText(const std::string& heading, const std::string& line);

// An option line blank after trimming leaves its option as designed.
bool OptionLineIsBlank(const std::string& line);

}  // namespace ruvek
