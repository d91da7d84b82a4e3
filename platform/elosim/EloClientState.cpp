#include "EloClientState.h"

#include "AppError.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

namespace {

[[noreturn]] void bad(const QString &what)
{
    throw AppError(QStringLiteral("elo-client.json: %1").arg(what));
}

bool optionalBool(const QJsonObject &o, const QString &key, bool fallback, const QString &where)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined())
        return fallback;
    if (!v.isBool())
        bad(QStringLiteral("\"%1\"%2 muss true oder false sein.").arg(key, where));
    return v.toBool();
}

QJsonArray optionalArray(const QJsonObject &o, const QString &key)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined())
        return {};
    if (!v.isArray())
        bad(QStringLiteral("\"%1\" muss eine Liste sein.").arg(key));
    return v.toArray();
}

QString requiredString(const QJsonObject &o, const QString &key, const QString &where)
{
    const QJsonValue v = o.value(key);
    if (!v.isString())
        bad(QStringLiteral("\"%1\"%2 fehlt oder ist kein Text.").arg(key, where));
    return v.toString();
}

std::int32_t maskNumber(const QJsonObject &o, const QString &where)
{
    const QJsonValue v = o.value(QStringLiteral("number"));
    if (!v.isDouble())
        bad(QStringLiteral("\"number\"%1 fehlt oder ist keine Zahl.").arg(where));
    const double d = v.toDouble();
    if (!(d >= 0 && d <= 2147483647.0) || std::floor(d) != d)
        bad(QStringLiteral("\"number\"%1 muss eine ganze Zahl von 0 bis 2147483647 sein.").arg(where));
    return static_cast<std::int32_t>(d);
}

} // namespace

EloClientState EloClientState::parse(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        bad(QStringLiteral("kein gültiges JSON (%1 an Position %2).").arg(error.errorString()).arg(error.offset));
    if (!doc.isObject())
        bad(QStringLiteral("die oberste Ebene muss ein Objekt sein."));
    const QJsonObject root = doc.object();

    EloClientState state;
    state.ready = optionalBool(root, QStringLiteral("ready"), true, QString());

    const QJsonArray postbox = optionalArray(root, QStringLiteral("postbox"));
    for (qsizetype i = 0; i < postbox.size(); ++i) {
        const QString where = QStringLiteral(" in postbox[%1]").arg(i);
        if (!postbox[i].isObject())
            bad(QStringLiteral("postbox[%1] muss ein Objekt sein.").arg(i));
        const QJsonObject line = postbox[i].toObject();
        state.postbox.append({requiredString(line, QStringLiteral("file"), where),
                              optionalBool(line, QStringLiteral("selected"), false, where)});
    }

    const QJsonArray masks = optionalArray(root, QStringLiteral("masks"));
    QSet<QString> names;
    QSet<std::int32_t> numbers;
    for (qsizetype i = 0; i < masks.size(); ++i) {
        const QString where = QStringLiteral(" in masks[%1]").arg(i);
        if (!masks[i].isObject())
            bad(QStringLiteral("masks[%1] muss ein Objekt sein.").arg(i));
        const QJsonObject m = masks[i].toObject();
        Mask mask;
        mask.name = requiredString(m, QStringLiteral("name"), where);
        mask.number = maskNumber(m, where);
        const QJsonValue fields = m.value(QStringLiteral("fields"));
        if (!fields.isUndefined()) {
            if (!fields.isArray())
                bad(QStringLiteral("\"fields\"%1 muss eine Liste sein.").arg(where));
            const QJsonArray list = fields.toArray();
            if (list.size() > MaxMaskLines)
                bad(QStringLiteral("\"fields\"%1 hat mehr als %2 Zeilen.").arg(where).arg(MaxMaskLines));
            for (qsizetype k = 0; k < list.size(); ++k) {
                if (!list[k].isString())
                    bad(QStringLiteral("\"fields\"[%1]%2 muss ein Text sein.").arg(k).arg(where));
                mask.fields.append(list[k].toString());
            }
        }
        // A lookup by name or number must have one answer.
        if (names.contains(mask.name))
            bad(QStringLiteral("die Maske \"%1\" ist doppelt vorhanden.").arg(mask.name));
        if (numbers.contains(mask.number))
            bad(QStringLiteral("die Maskennummer %1 ist doppelt vergeben.").arg(mask.number));
        names.insert(mask.name);
        numbers.insert(mask.number);
        state.masks.append(mask);
    }
    return state;
}

EloClientState EloClientState::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2").arg(path, f.errorString()));
    return parse(f.readAll());
}
