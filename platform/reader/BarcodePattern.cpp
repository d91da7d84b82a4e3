#include "BarcodePattern.h"

#include <vector>

namespace {

struct Token
{
    enum class Kind { Literal, Any, Run, Digit, Letter } kind;
    QChar ch;
};

std::vector<Token> tokenize(QStringView alt)
{
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < alt.size(); ++i) {
        const QChar c = alt[i];
        if (c == QLatin1Char('\\') && i + 1 < alt.size())
            tokens.push_back({Token::Kind::Literal, alt[++i]});
        else if (c == QLatin1Char('?'))
            tokens.push_back({Token::Kind::Any, c});
        else if (c == QLatin1Char('*'))
            tokens.push_back({Token::Kind::Run, c});
        else if (c == QLatin1Char('#'))
            tokens.push_back({Token::Kind::Digit, c});
        else if (c == QLatin1Char('@'))
            tokens.push_back({Token::Kind::Letter, c});
        else
            tokens.push_back({Token::Kind::Literal, c});
    }
    return tokens;
}

bool single(const Token &t, QChar c)
{
    switch (t.kind) {
    case Token::Kind::Literal: return t.ch == c;
    case Token::Kind::Any: return true;
    case Token::Kind::Digit: return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    case Token::Kind::Letter: return c.isLetter();
    case Token::Kind::Run: break;
    }
    return false;
}

// Dynamic programming over (token, character): linear in both, so that a
// pattern of many '*' cannot take exponential time on a long text.
bool matchOne(const std::vector<Token> &tokens, const QString &text)
{
    const size_t n = static_cast<size_t>(text.size());
    std::vector<char> cur(n + 1, 0), next(n + 1, 0);
    cur[0] = 1;
    for (const Token &t : tokens) {
        std::fill(next.begin(), next.end(), 0);
        if (t.kind == Token::Kind::Run) {
            char seen = 0;
            for (size_t i = 0; i <= n; ++i) {
                seen = seen || cur[i];
                next[i] = seen;
            }
        } else {
            for (size_t i = 0; i < n; ++i)
                if (cur[i] && single(t, text[static_cast<qsizetype>(i)]))
                    next[i + 1] = 1;
        }
        std::swap(cur, next);
    }
    return cur[n] != 0;
}

} // namespace

bool BarcodePattern::matches(const QString &pattern, const QString &text)
{
    if (pattern.isEmpty())
        return true;
    // Split at '|' that is not escaped.
    qsizetype start = 0;
    for (qsizetype i = 0; i <= pattern.size(); ++i) {
        if (i + 1 < pattern.size() && pattern[i] == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (i == pattern.size() || pattern[i] == QLatin1Char('|')) {
            if (matchOne(tokenize(QStringView(pattern).mid(start, i - start)), text))
                return true;
            start = i + 1;
        }
    }
    return false;
}
