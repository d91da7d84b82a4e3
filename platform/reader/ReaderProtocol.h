#pragma once

#include "BarcodeResult.h"
#include "ReaderSettings.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

// The JSON exchanged with the helper process: one request on its standard
// input, one answer on its standard output.
namespace ReaderProtocol {

struct Request
{
    QString file;
    std::optional<QRect> rect;
    ReaderSettings settings;
};

QByteArray encodeRequest(const Request &request);
// Raises AppError for anything that is not a well-formed request.
Request decodeRequest(const QByteArray &json);

QByteArray encodeResults(const QList<BarcodeResult> &results);
QByteArray encodeError(const QString &message);
// Returns the results, or raises AppError with the helper's error text, or a
// fixed text when the answer is malformed.
QList<BarcodeResult> decodeAnswer(const QByteArray &json);

} // namespace ReaderProtocol
