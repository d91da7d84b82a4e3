#pragma once

#include "BarcodeResult.h"
#include "ReaderSettings.h"

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

// Scans a file in the helper process barcode-reader-server, one process per
// scan: the decoding library can abort or hang on some images, and that must
// end one scan, not the tool. Used by the reader component and barcode-scan.
class BarcodeReaderClient
{
public:
    // For tests: makes the next helper processes crash or hang.
    enum class TestFault { None, Crash, Hang };

    // The barcodes of the first page of file within rect (page pixels; no
    // rect: the whole page). Raises AppError with a German text when the file
    // cannot be read, the helper cannot be started, ends unexpectedly or does
    // not answer in time.
    QList<BarcodeResult> scan(const QString &file, const std::optional<QRect> &rect,
                              const ReaderSettings &settings) const;

    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }
    void setTestFault(TestFault fault) { m_fault = fault; }

    // Next to the running program, or in the build's bin folder beside the
    // benchmark folder; BCE_READER_SERVER overrides both.
    static QString helperPath();

private:
    int m_timeoutMs = 30000;
    TestFault m_fault = TestFault::None;
};
