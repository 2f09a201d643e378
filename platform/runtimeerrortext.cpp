#include "platform/runtimeerrortext.h"

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
    // Lengths and positions count UTF-16 code units, which a person counts
    // differently once the text holds an emoji: then both counts are given.
    if (error.cause == qxm::RunTimeError::Cause::TextTooLong) {
        if (error.lengthInCharacters == error.length) {
            return QStringLiteral("%1: the text has %2 characters, at most %3 can be converted")
                .arg(kind)
                .arg(error.length)
                .arg(qxm::kMaxTextLength);
        }
        return QStringLiteral("%1: the text has %2 code units, at most %3 can be converted (%4 characters: a "
                              "character outside the Basic Multilingual Plane counts as two)")
            .arg(kind)
            .arg(error.length)
            .arg(qxm::kMaxTextLength)
            .arg(error.lengthInCharacters);
    }
    QString where = QString::number(error.positionInCharacters);
    if (error.positionInCharacters != error.position)
        where += QStringLiteral(" (code unit %1)").arg(error.position);
    const QString problem = error.cause == qxm::RunTimeError::Cause::CodeTooLow ? QStringLiteral("lies below the font")
                            : error.cause == qxm::RunTimeError::Cause::ControlCharacter
                                ? QStringLiteral("is a control character")
                                : QStringLiteral("has no glyph");
    return QStringLiteral("%1: character %2, %3 (code %4), %5")
        .arg(kind, where, NameOf(error.character), QString::number(error.code), problem);
}
