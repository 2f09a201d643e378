#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qxm {

// Text as the ANSI ("A") registry calls take and return it, in Windows-1252,
// the code page the program converts with. Characters it lacks become '?', as
// with the system's own conversion.
std::string ToAnsiCodePage(const QString &text);
QString FromAnsiCodePage(std::string_view bytes);

} // namespace qxm
