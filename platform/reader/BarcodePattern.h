#pragma once

#include <QString>

// The reader's Pattern setting: a decoded text is reported only when it
// matches. Alternatives are separated by '|'; within one, '?' stands for any
// one character, '*' for any run of characters (also none), '#' for one digit,
// '@' for one letter, '\' makes the next character literal; every other
// character stands for itself, case-sensitively. The whole text must match.
// An empty pattern matches everything.
class BarcodePattern
{
public:
    static bool matches(const QString &pattern, const QString &text);
};
