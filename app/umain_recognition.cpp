// The two recognition commands of the main window: "Detection" in the area
// panel and "Barcodes erkennen" in the tool bar. The reader work lives in
// recognition/; these handlers read the controls, run it and show the outcome.
#include "umain.h"

#include "AppError.h"
#include "AreaListItem.h"
#include "BarcodeMarks.h"
#include "MessageBoxes.h"
#include "ReaderSession.h"
#include "RecognitionCommands.h"
#include "RecognitionProgress.h"
#include "imageview/ImageEnVect.h"

#include <QLabel>
#include <QTreeWidget>

void Tfmain::Bt_OCRStartenClick()
{
    bool anySelected = false;
    for (int i = 0; i < areaCount(); ++i)
        anySelected = anySelected || ListView1->topLevelItem(i)->isSelected();
    if (!anySelected) {
        MessageBoxes::showInformation(NoAreaSelectedText);
        return;
    }

    const std::optional<QString> error = CaptureError([this] {
        ReaderSession session(ReaderSession::ScanRect::Used);
        RecognitionProgress progress(FR_OCRerkennung, this);
        // The file is scanned as stored, so the area is converted in the
        // page's own frame, not in the view's rotation.
        const QSize document(ImageEnVect1->documentWidth(), ImageEnVect1->documentHeight());
        for (int i = 0; i < areaCount(); ++i) {
            QTreeWidgetItem *entry = ListView1->topLevelItem(i);
            if (!entry->isSelected())
                continue;
            AreaListItem *area = AreaListItem::of(entry);
            if (!area || !area->field())
                throw AppError(QStringLiteral("Der Barcode-Bereich \"%1\" hat keine Definition.").arg(entry->text(0)));
            RecogniseArea(session, *area->field(), area->text(AreaListItem::AreaColumn), document, LB_NameDatei->text(),
                          [this](const QString &text) { showRecognisedText(text); });
        }
    });
    if (error)
        MessageBoxes::showMessage(RecognitionErrorText(*error));
}

void Tfmain::SB_DetectAllClick()
{
    const std::optional<QString> error = CaptureError([this] {
        ReaderSession session(ReaderSession::ScanRect::None);
        RecognitionProgress progress(FR_OCRerkennung, this);
        RecognisePage(
            session, LB_NameDatei->text(), [this](const QString &text) { showRecognisedText(text); },
            [this](const FoundBarcode &barcode) { AddBarcodeMarks(*ImageEnVect1, barcode); });
    });
    if (!ListView1->selectedItems().isEmpty())
        ListView1Click();
    if (error)
        MessageBoxes::showMessage(RecognitionErrorText(*error));
}

void Tfmain::showRecognisedText(const QString &text)
{
    // Data is the reader's text, never markup.
    LB_OCRerkannt->setTextFormat(Qt::PlainText);
    LB_OCRerkannt->setText(text);
    LB_OCRerkannt->adjustSize();
    if (QWidget *page = LB_OCRerkannt->parentWidget())
        page->resize(LB_OCRerkannt->x() + LB_OCRerkannt->width() + 5,
                     LB_OCRerkannt->y() + LB_OCRerkannt->height() + 5);
}
