#pragma once
// What the file layer's system halves (FileSystemPosix.cpp,
// FileSystemWindows.cpp) and the share lock have in common: reading the
// program's drive-form paths and naming temporary files.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ruvek::os {

// True for "X:..." (a drive letter and a colon).
bool IsDriveForm(const std::string& path);
// The part of a drive-form path after "X:", "." and ".." resolved and never
// climbing above the drive, each part joined by `separator` and led by one:
// "\DATA\..\Log.txt" -> "/Log.txt"; a path ending in a separator keeps it.
// Empty when a part is a name Windows refuses (a character of <>:"|?* or a
// control character, or a device name as CON, NUL, COM1, LPT1 with or without
// an extension): such a name never reaches a file or a device.
std::string DriveRest(const std::string& rest, char separator);
// This computer's name as it goes into file names: letters, digits and "-"
// only, anything else "_".
const std::string& HostTag();
// The name a temporary file of this process gets beside `hostFile`.
std::string TempNameFor(const std::string& hostFile);
// The host folder that holds the host file `hostFile`.
std::string FolderOf(const std::string& hostFile);
// Flushes the host folder `hostFolder` so the new names in it survive a power
// cut; best effort (nothing where renames are written through).
void FlushFolder(const std::string& hostFolder);
// The process id in one of this computer's temporary file names, or 0 for any
// other name.
long OwnTempPid(const std::string& name);
// The last line of at least `minLength` characters of a file of `size` bytes,
// read from its end in blocks that double until such a line is whole:
// `readAt(start, length)` returns those bytes of the file (it throws when it
// cannot). Nothing when no line is that long.
std::optional<std::string> LastLineFromEnd(std::int64_t size, std::size_t minLength,
                                           const std::function<std::string(std::int64_t, std::size_t)>& readAt);

}  // namespace ruvek::os
