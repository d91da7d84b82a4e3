#pragma once

#include "FoundBarcode.h"

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class ReaderSession;
class TOCRField;

// The work of the two recognition commands without their window: the window
// shows the progress, the boxes and the marks, these talk to the reader.

inline const QString NoAreaSelectedText = QStringLiteral("Es ist kein Barcode-Bereich selektiert!");

// The plain box's text for a failed recognition.
QString RecognitionErrorText(const QString &error);

// Runs work and returns the text of whatever it raised (nothing when it
// succeeded): a command shows that once, after it has cleaned up.
std::optional<QString> CaptureError(const std::function<void()> &work);

// One line of the result text: data, " (", the coordinate text, ")", CR LF.
QString ResultLine(const QString &data, const QString &areaText);

// "Detection" for one area: the area text converted in the page's own frame
// (documentSize: the file's page as loaded, whatever the view's rotation),
// the area's settings, a reader with them, the scan rectangle, the scan.
// showResult gets the result text when it is cleared and after each line, so
// that a later failure leaves the lines read so far.
void RecogniseArea(ReaderSession &session, const TOCRField &field, const QString &areaText, QSize documentSize,
                   const QString &file, const std::function<void(const QString &)> &showResult);

// The whole page: the page settings, a reader without scan rectangle, the
// scan; the result text is cleared, and mark gets each barcode in the order
// of the result list (positions in the page's own frame).
void RecognisePage(ReaderSession &session, const QString &file,
                   const std::function<void(const QString &)> &showResult,
                   const std::function<void(const FoundBarcode &)> &mark);
