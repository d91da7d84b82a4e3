#pragma once

#include <QString>

// Values put into the host's SQL text: texts in single quotes with inner
// quotes doubled, Booleans as 1 and 0, NULL for a missing pattern.
QString sqlQuoted(const QString &text);
QString sqlBoolean(bool value);
QString sqlPatternOrNull(const QString &pattern);
