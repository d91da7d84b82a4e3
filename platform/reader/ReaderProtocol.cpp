#include "ReaderProtocol.h"

#include "AppError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {

const QString Malformed = QStringLiteral("Der Barcode-Leser hat eine ungültige Antwort gegeben.");

bool toInt(const QJsonValue &v, int &out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!(d >= INT32_MIN && d <= INT32_MAX) || d != std::floor(d))
        return false;
    out = static_cast<int>(d);
    return true;
}

} // namespace

namespace ReaderProtocol {

QByteArray encodeRequest(const Request &request)
{
    QJsonObject o;
    o.insert(QStringLiteral("file"), request.file);
    if (request.rect) {
        const QRect &r = *request.rect;
        o.insert(QStringLiteral("rect"), QJsonArray{r.left(), r.top(), r.width(), r.height()});
    }
    o.insert(QStringLiteral("settings"), request.settings.toJson());
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

Request decodeRequest(const QByteArray &json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    if (!doc.isObject())
        throw AppError(QStringLiteral("Ungültige Anfrage an den Barcode-Leser."));
    const QJsonObject o = doc.object();
    Request r;
    if (!o.value(QStringLiteral("file")).isString())
        throw AppError(QStringLiteral("Ungültige Anfrage an den Barcode-Leser."));
    r.file = o.value(QStringLiteral("file")).toString();
    const QJsonValue rect = o.value(QStringLiteral("rect"));
    if (!rect.isUndefined()) {
        const QJsonArray a = rect.toArray();
        int v[4] = {};
        if (a.size() != 4)
            throw AppError(QStringLiteral("Ungültige Anfrage an den Barcode-Leser."));
        for (int i = 0; i < 4; ++i)
            if (!toInt(a[i], v[i]))
                throw AppError(QStringLiteral("Ungültige Anfrage an den Barcode-Leser."));
        r.rect = QRect(v[0], v[1], v[2], v[3]);
    }
    r.settings = ReaderSettings::fromJson(o.value(QStringLiteral("settings")).toObject());
    return r;
}

QByteArray encodeResults(const QList<BarcodeResult> &results)
{
    QJsonArray list;
    for (const BarcodeResult &r : results) {
        list.append(QJsonObject{
            {QStringLiteral("type"), r.BarcodeType},
            {QStringLiteral("data"), r.Data},
            {QStringLiteral("position"),
             QJsonArray{r.Position.left(), r.Position.top(), r.Position.width(), r.Position.height()}},
            {QStringLiteral("direction"), r.Direction},
            {QStringLiteral("skew"), r.Skew},
        });
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("results"), list}}).toJson(QJsonDocument::Compact);
}

QByteArray encodeError(const QString &message)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("error"), message}}).toJson(QJsonDocument::Compact);
}

QList<BarcodeResult> decodeAnswer(const QByteArray &json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    if (!doc.isObject())
        throw AppError(Malformed);
    const QJsonObject o = doc.object();
    if (o.value(QStringLiteral("error")).isString())
        throw AppError(o.value(QStringLiteral("error")).toString());
    if (!o.value(QStringLiteral("results")).isArray())
        throw AppError(Malformed);
    QList<BarcodeResult> out;
    for (const QJsonValue &v : o.value(QStringLiteral("results")).toArray()) {
        const QJsonObject r = v.toObject();
        const QJsonArray p = r.value(QStringLiteral("position")).toArray();
        BarcodeResult b;
        int pos[4] = {};
        if (!toInt(r.value(QStringLiteral("type")), b.BarcodeType) || !r.value(QStringLiteral("data")).isString()
            || p.size() != 4 || !toInt(r.value(QStringLiteral("direction")), b.Direction))
            throw AppError(Malformed);
        for (int i = 0; i < 4; ++i)
            if (!toInt(p[i], pos[i]))
                throw AppError(Malformed);
        b.Data = r.value(QStringLiteral("data")).toString();
        b.Position = QRect(pos[0], pos[1], pos[2], pos[3]);
        b.Skew = r.value(QStringLiteral("skew")).toDouble();
        out.append(b);
    }
    return out;
}

} // namespace ReaderProtocol
