#include "SqlText.h"

QString sqlQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString sqlBoolean(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString sqlPatternOrNull(const QString &pattern)
{
    return pattern.isEmpty() ? QStringLiteral("NULL") : sqlQuoted(pattern);
}
