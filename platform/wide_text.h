#pragma once
// Windows only: the program keeps its text in UTF-8, the system's wide
// interface takes UTF-16.

#include <string>
#include <string_view>

namespace scenario::platform {

std::wstring in_wide(std::string_view testo);
std::string da_wide(std::wstring_view testo);

// The system's own words for an error code of GetLastError.
std::string testo_di_sistema(unsigned long codice);

}  // namespace scenario::platform
