#include "tests/systemcodepage.h"

#include <QByteArray>
#include <QStringEncoder>

std::optional<std::uint8_t> SystemCodeOf(char16_t unit)
{
    // Qt writes 0x1A for a character that has no code.
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    const QChar character(unit);
    const QByteArray bytes = encoder.encode(QStringView(&character, 1));
    if (!encoder.isValid() || bytes.size() != 1 || (bytes[0] == 0x1A && unit != 0x1A))
        return std::nullopt;
    return static_cast<std::uint8_t>(bytes[0]);
}
