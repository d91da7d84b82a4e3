#include "RecognitionCommands.h"

#include "AppError.h"
#include "AreaGeometry.h"
#include "ReaderSession.h"
#include "ReaderSettingsMapping.h"
#include "U_Types.h"

QString RecognitionErrorText(const QString &error)
{
    return QStringLiteral("Fehler bei der Barcode-Erkennung:\r\n") + error + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Bitte prüfen Sie, ob die Barcode-Komponente installiert ist.");
}

std::optional<QString> CaptureError(const std::function<void()> &work)
{
    try {
        work();
    } catch (const AppError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unbekannter Fehler.");
    }
    return std::nullopt;
}

QString ResultLine(const QString &data, const QString &areaText)
{
    return data + QStringLiteral(" (") + areaText + QStringLiteral(")\r\n");
}

void RecogniseArea(ReaderSession &session, const TOCRField &field, const QString &areaText, QSize documentSize,
                   const QString &file, const std::function<void(const QString &)> &showResult)
{
    const TAreaRect rect = AreaTextToRect(areaText, documentSize.width(), documentSize.height());
    ApplyAreaSettings(session.settings(), field);
    session.createReader();
    session.setScanRect(rect);
    const AutomationObjectPtr list = session.scanBarcodes(file);

    QString text;
    showResult(text);
    const std::int32_t n = ReaderSession::count(*list);
    for (std::int32_t i = 0; i < n; ++i) {
        const AutomationObjectPtr barcode = ReaderSession::get(*list, i);
        const TAreaRect p = ReaderSession::positionOf(*barcode);
        const QString position =
            RectToAreaText(p.Left, p.Top, p.Width, p.Height, documentSize.width(), documentSize.height());
        text += ResultLine(ReaderSession::dataOf(*barcode), position);
        showResult(text);
    }
}

void RecognisePage(ReaderSession &session, const QString &file,
                   const std::function<void(const QString &)> &showResult,
                   const std::function<void(const FoundBarcode &)> &mark)
{
    ApplyPageSettings(session.settings());
    session.createReader();
    const AutomationObjectPtr list = session.scanBarcodes(file);
    showResult(QString());
    const std::int32_t n = ReaderSession::count(*list);
    for (std::int32_t i = 0; i < n; ++i) {
        const AutomationObjectPtr barcode = ReaderSession::get(*list, i);
        FoundBarcode found;
        found.Position = ReaderSession::positionOf(*barcode);
        found.Data = ReaderSession::dataOf(*barcode);
        found.BarcodeType = ReaderSession::typeOf(*barcode);
        mark(found);
    }
}
