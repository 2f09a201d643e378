#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qxm {

// The core works on UTF-16 text without Qt; these cross between the two
// without changing a code unit.

inline std::u16string_view Utf16View(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())};
}

inline QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace qxm
