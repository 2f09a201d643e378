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

// Not QString::fromUtf16, which takes a leading U+FEFF or U+FFFE for a
// byte-order mark and would drop it or swap the bytes of every unit after it.
inline QString ToQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), static_cast<qsizetype>(text.size()));
}

} // namespace qxm
