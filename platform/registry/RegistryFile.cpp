#include "RegistryFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

namespace {

const QString Header = QStringLiteral("Windows Registry Editor Version 5.00");

QString decode(const QByteArray &content)
{
    if (content.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringConverter::Utf16LE);
        return decoder(content.mid(2));
    }
    if (content.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(content.mid(3));
    return QString::fromUtf8(content);
}

QString normalizeKey(QString key)
{
    key = key.trimmed();
    while (key.endsWith(u'\\'))
        key.chop(1);
    key = key.toLower();
    if (key == u"hkcu" || key.startsWith(QStringLiteral("hkcu\\")))
        key.replace(0, 4, QStringLiteral("hkey_current_user"));
    return key;
}

// A quoted .reg string starting at pos (on the opening quote). On success pos
// stands behind the closing quote.
std::optional<QString> parseQuoted(const QString &line, qsizetype &pos)
{
    if (pos >= line.size() || line[pos] != u'"')
        return std::nullopt;
    QString text;
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"') {
            pos = i + 1;
            return text;
        }
        if (c == u'\\' && i + 1 < line.size() && (line[i + 1] == u'\\' || line[i + 1] == u'"')) {
            text.append(line[++i]);
            continue;
        }
        text.append(c);
    }
    return std::nullopt;
}

bool onlyTrailingComment(QStringView rest)
{
    rest = rest.trimmed();
    return rest.isEmpty() || rest.startsWith(u';');
}

std::optional<QByteArray> parseHexBytes(QStringView list)
{
    QByteArray bytes;
    list = list.trimmed();
    if (list.isEmpty())
        return bytes;
    for (QStringView item : list.split(u',')) {
        item = item.trimmed();
        if (item.isEmpty() || item.size() > 2)
            return std::nullopt;
        bool ok = false;
        const uint b = item.toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        bytes.append(char(b));
    }
    return bytes;
}

std::optional<QString> utf16String(const QByteArray &bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QStringDecoder decoder(QStringConverter::Utf16LE);
    QString text = decoder(bytes);
    // Windows stores the terminating NUL; what follows it is not part of the value.
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// The data behind "=". nullopt for data that does not parse; an Absent value
// for a deletion.
std::optional<RegistryValue> parseData(QStringView data)
{
    data = data.trimmed();
    if (data.startsWith(u'"')) {
        const QString line = data.toString();
        qsizetype pos = 0;
        auto text = parseQuoted(line, pos);
        if (!text || !onlyTrailingComment(QStringView(line).mid(pos)))
            return std::nullopt;
        return RegistryValue{RegistryValueType::String, *text, 0};
    }
    if (data == u"-")
        return RegistryValue{};
    if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
        QStringView digits = data.mid(6);
        if (const qsizetype semicolon = digits.indexOf(u';'); semicolon >= 0)
            digits = digits.left(semicolon);
        digits = digits.trimmed();
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        for (QChar c : digits) {
            const char16_t u = c.unicode();
            if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
                return std::nullopt;
        }
        return RegistryValue{RegistryValueType::Number, {}, digits.toUInt(nullptr, 16)};
    }
    if (!data.startsWith(u"hex", Qt::CaseInsensitive))
        return std::nullopt;
    QStringView rest = data.mid(3);
    uint type = 3; // REG_BINARY
    if (rest.startsWith(u'(')) {
        const qsizetype close = rest.indexOf(u')');
        if (close < 2 || close > 9)
            return std::nullopt;
        bool ok = false;
        type = rest.mid(1, close - 1).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        rest = rest.mid(close + 1);
    }
    if (!rest.startsWith(u':'))
        return std::nullopt;
    const auto bytes = parseHexBytes(rest.mid(1));
    if (!bytes)
        return std::nullopt;
    switch (type) {
    case 1:
    case 2: {
        const auto text = utf16String(*bytes);
        if (!text)
            return std::nullopt;
        return RegistryValue{type == 1 ? RegistryValueType::String : RegistryValueType::ExpandString, *text, 0};
    }
    case 4:
        if (bytes->size() != 4)
            return std::nullopt;
        return RegistryValue{RegistryValueType::Number,
                             {},
                             std::uint32_t(std::uint8_t(bytes->at(0))) | std::uint32_t(std::uint8_t(bytes->at(1))) << 8
                                 | std::uint32_t(std::uint8_t(bytes->at(2))) << 16
                                 | std::uint32_t(std::uint8_t(bytes->at(3))) << 24};
    default:
        return RegistryValue{RegistryValueType::Other, {}, 0};
    }
}

// Physical lines joined where a hex list goes on in the next line ("\" at the
// end). The joined line grows in place: a file of many continuation lines must
// not cost the square of its length.
QStringList logicalLines(const QString &text)
{
    QStringList result;
    QString line;
    bool continuing = false;
    for (QStringView raw : QStringView(text).split(u'\n')) {
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        if (continuing)
            line += raw.trimmed();
        else
            line = raw.toString();
        QStringView right = QStringView(line);
        while (!right.isEmpty() && right.back().isSpace())
            right.chop(1);
        const QStringView left = right.trimmed();
        continuing = !left.startsWith(u'[') && !left.startsWith(u';') && right.endsWith(u'\\')
                     && !right.endsWith(u"\\\\");
        if (continuing)
            line.truncate(right.size() - 1);
        else
            result.append(line);
    }
    if (continuing)
        result.append(line);
    return result;
}

// Sub-keys of key sort right after key + "\" and before key + "]", the next
// character, so one range holds them all.
void eraseKeyAndSubKeys(std::map<QString, QHash<QString, RegistryValue>> &keys, const QString &key)
{
    keys.erase(key);
    keys.erase(keys.lower_bound(key + u'\\'), keys.lower_bound(key + u']'));
}

} // namespace

RegistryFile RegistryFile::parse(const QByteArray &content)
{
    RegistryFile file;
    const QStringList lines = logicalLines(decode(content));

    qsizetype first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty())
        ++first;
    if (first >= lines.size() || lines[first].trimmed() != Header)
        return file;

    QHash<QString, RegistryValue> *current = nullptr;
    for (qsizetype i = first + 1; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            current = nullptr;
            const qsizetype close = line.lastIndexOf(u']');
            if (close < 1 || !onlyTrailingComment(QStringView(line).mid(close + 1)))
                continue;
            QStringView inner = QStringView(line).mid(1, close - 1);
            if (inner.startsWith(u'-')) {
                const QString key = normalizeKey(inner.mid(1).toString());
                if (key.isEmpty())
                    continue;
                eraseKeyAndSubKeys(file.m_keys, key);
                continue;
            }
            const QString key = normalizeKey(inner.toString());
            if (!key.isEmpty())
                current = &file.m_keys[key];
            continue;
        }
        if (!current)
            continue;

        QString name;
        qsizetype pos = 0;
        if (line.startsWith(u'@')) {
            pos = 1;
        } else {
            auto quoted = parseQuoted(line, pos);
            if (!quoted)
                continue;
            name = *quoted;
        }
        while (pos < line.size() && line[pos].isSpace())
            ++pos;
        if (pos >= line.size() || line[pos] != u'=')
            continue;
        const auto value = parseData(QStringView(line).mid(pos + 1));
        if (!value)
            continue;
        if (value->type == RegistryValueType::Absent)
            current->remove(name.toLower());
        else
            current->insert(name.toLower(), *value);
    }
    return file;
}

RegistryFile RegistryFile::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parse(f.readAll());
}

RegistryValue RegistryFile::value(const QString &keyPath, const QString &name) const
{
    const auto key = m_keys.find(normalizeKey(keyPath));
    if (key == m_keys.cend())
        return {};
    return key->second.value(name.toLower());
}

bool RegistryFile::hasKey(const QString &keyPath) const
{
    return m_keys.count(normalizeKey(keyPath)) != 0;
}
