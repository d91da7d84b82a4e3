#include "StrictInt.h"

#include "AppError.h"

std::optional<std::int32_t> parseStrictInt32(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate as a negative number so that INT32_MIN fits without overflow.
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 - (c - u'0');
        if (value < INT32_MIN)
            return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > INT32_MAX)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t strictToInt32(const QString &text)
{
    if (const auto value = parseStrictInt32(text))
        return *value;
    throw ConversionError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
}
