#include "BarcodeReaderClient.h"

#include "AppError.h"
#include "ReaderProtocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

QString BarcodeReaderClient::helperPath()
{
    const QString overridden = qEnvironmentVariable("BCE_READER_SERVER");
    if (!overridden.isEmpty())
        return overridden;
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &candidate : {dir + QStringLiteral("/barcode-reader-server"),
                                     dir + QStringLiteral("/../bin/barcode-reader-server")}) {
        if (QFileInfo(candidate).isExecutable())
            return QDir::cleanPath(candidate);
    }
    return dir + QStringLiteral("/barcode-reader-server");
}

QList<BarcodeResult> BarcodeReaderClient::scan(const QString &file, const std::optional<QRect> &rect,
                                               const ReaderSettings &settings) const
{
    QProcess helper;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (m_fault == TestFault::Crash)
        env.insert(QStringLiteral("BCE_READER_TEST_FAULT"), QStringLiteral("crash"));
    else if (m_fault == TestFault::Hang)
        env.insert(QStringLiteral("BCE_READER_TEST_FAULT"), QStringLiteral("hang"));
    else
        env.remove(QStringLiteral("BCE_READER_TEST_FAULT"));
    helper.setProcessEnvironment(env);
    // The helper's complaints (an assertion text) are no business of the user.
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.start(helperPath(), {});
    if (!helper.waitForStarted(10000))
        throw AppError(QStringLiteral("Der Barcode-Leser (%1) kann nicht gestartet werden.").arg(helperPath()));

    helper.write(ReaderProtocol::encodeRequest({QFileInfo(file).absoluteFilePath(), rect, settings}));
    helper.closeWriteChannel();
    if (!helper.waitForFinished(m_timeoutMs)) {
        helper.kill();
        helper.waitForFinished(5000);
        const int seconds = (m_timeoutMs + 999) / 1000;
        throw AppError(seconds == 1
                           ? QStringLiteral("Der Barcode-Leser hat nicht innerhalb von 1 Sekunde geantwortet.")
                           : QStringLiteral("Der Barcode-Leser hat nicht innerhalb von %1 Sekunden geantwortet.")
                                 .arg(seconds));
    }
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0)
        throw AppError(QStringLiteral("Der Barcode-Leser wurde unerwartet beendet."));
    return ReaderProtocol::decodeAnswer(helper.readAllStandardOutput());
}
