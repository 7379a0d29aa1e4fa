#pragma once
// Text conversions of the Windows half of the os layer: the program's
// strings are UTF-8 (a byte string that is no UTF-8 is read in the system's
// code page), the wide-character calls take UTF-16.
#include <windows.h>

#include <string>

namespace ruvek::os {

std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);
// The system's message for an error code of GetLastError().
std::string ErrorText(DWORD error);

}  // namespace ruvek::os
