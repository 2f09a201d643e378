#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qxm {

// Text as the ANSI ("A") system calls take and return it: on Windows in the
// system's ANSI code page, elsewhere in Windows-1252, the code page the
// program uses for its own conversion. Characters the code page lacks become
// '?', as with the system's own conversion.
std::string ToAnsiCodePage(const QString &text);
QString FromAnsiCodePage(std::string_view bytes);

} // namespace qxm
