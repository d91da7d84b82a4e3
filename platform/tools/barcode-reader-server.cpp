// The reader's helper process: reads one request (JSON) on standard input,
// scans, writes one answer on standard output and exits 0. If the decoding
// library aborts, the process ends abnormally and the client reports it.

#include "AppError.h"
#include "reader/BarcodeEngine.h"
#include "reader/IsolatedCall.h"
#include "reader/ReaderProtocol.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cstdlib>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    // Lets the tests check the client's handling of a crash and of a hang.
    const QByteArray fault = qgetenv("BCE_READER_TEST_FAULT");
    if (fault == "crash")
        std::abort();
    if (fault == "hang") {
        // Where a real hang happens: inside a decoding call's forked copy.
        runIsolated([]() -> QByteArray {
            for (;;)
                QThread::sleep(3600);
        });
    }

    QFile in, out;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly))
        return 3;
    QByteArray answer;
    try {
        const ReaderProtocol::Request request = ReaderProtocol::decodeRequest(in.readAll());
        answer = ReaderProtocol::encodeResults(BarcodeEngine::scanFile(request.file, request.rect, request.settings));
    } catch (const AppError &e) {
        answer = ReaderProtocol::encodeError(e.message());
    } catch (const std::exception &e) {
        answer = ReaderProtocol::encodeError(QStringLiteral("Fehler im Barcode-Leser: %1").arg(QString::fromLocal8Bit(e.what())));
    }
    out.write(answer);
    out.flush();
    return 0;
}
