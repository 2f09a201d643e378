#include "windows/main/runtimeerrortext.h"

#include "core/conversion.h"
#include "platform/qtext.h"

namespace {

QString NameOf(char16_t character)
{
    switch (character) {
    case u'\t':
        return QStringLiteral("tab");
    case u'\n':
        return QStringLiteral("line feed");
    case u'\r':
        return QStringLiteral("carriage return");
    default:
        break;
    }
    const QChar qchar(character);
    if (qchar.isPrint() && !qchar.isSurrogate())
        return QStringLiteral("'%1'").arg(qchar);
    return QStringLiteral("U+%1").arg(qxm::CodeUnitNumber(character));
}

} // namespace

QString DescribeRunTimeError(const qxm::RunTimeError &error)
{
    const QString kind = error.kind == qxm::RunTimeErrorKind::Overflow ? QStringLiteral("Overflow")
                                                                       : QStringLiteral("Subscript out of range");
    switch (error.cause) {
    case qxm::RunTimeError::Cause::TextTooLong:
        return QStringLiteral("%1: the text has %2 characters, at most %3 can be converted")
            .arg(kind)
            .arg(error.length)
            .arg(qxm::kMaxTextLength);
    case qxm::RunTimeError::Cause::CodeTooLow:
        return QStringLiteral("%1: character %2, %3 (code %4), lies below the font")
            .arg(kind)
            .arg(error.position)
            .arg(NameOf(error.character))
            .arg(error.code);
    case qxm::RunTimeError::Cause::NoGlyphSlot:
        break;
    }
    return QStringLiteral("%1: character %2, %3 (code %4), has no glyph")
        .arg(kind)
        .arg(error.position)
        .arg(NameOf(error.character))
        .arg(error.code);
}
