#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

// What the simulated archive client knows: whether it is ready, the user's
// postbox and the filing masks. Read from elo-client.json (UTF-8):
//
//   {"ready": true,
//    "postbox": [{"file": "/abs/path/page.tif", "selected": true}],
//    "masks": [{"name": "Eingangsrechnung", "number": 12,
//               "fields": ["Rechnungsnummer", "", "Kundennummer"]}]}
//
// "ready" (default true), "postbox" and "masks" (default empty) may be left
// out, as may "selected" (default false) and "fields" (default empty). An
// empty string in "fields" is an unused mask line. Other keys are ignored.
struct EloClientState
{
    struct PostBoxLine
    {
        QString file;
        bool selected = false;
    };

    struct Mask
    {
        QString name;
        std::int32_t number = 0;
        QStringList fields; // mask lines 0..49
    };

    static constexpr int MaxMaskLines = 50;

    bool ready = true;
    QList<PostBoxLine> postbox;
    QList<Mask> masks;

    // Raises AppError with a text that says what is wrong and where: not JSON,
    // a value of the wrong type, a missing "file"/"name"/"number", a mask
    // number that is no 32-bit integer or below 0, a name or number used twice,
    // more than 50 mask lines.
    static EloClientState parse(const QByteArray &json);
    // As parse; a file that cannot be read raises AppError naming it.
    static EloClientState load(const QString &path);
};
