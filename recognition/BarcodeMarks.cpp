#include "BarcodeMarks.h"

#include "AreaGeometry.h"
#include "U_misc.h"
#include "imageview/ImageEnVect.h"

QColor InactiveCaptionColor()
{
    // The standard Windows value of COLOR_INACTIVECAPTION.
    return QColor(191, 205, 219);
}

std::int32_t MarkFontHeight(std::int32_t barcodeHeight)
{
    return -static_cast<std::int32_t>(roundHalfToEven(barcodeHeight / 3.0));
}

void AddBarcodeMarks(TImageEnVect &view, const FoundBarcode &barcode)
{
    // Found in the file's page; shown wherever the view has turned that page.
    const TAreaRect shown = view.mapRectFromDocument(barcode.Position);

    view.setMouseMode(MouseMode::None);

    VectorObject &t = view.objectTemplate();
    t.highlight = true;
    t.brushColor = InactiveCaptionColor();
    t.brushStyle = BrushStyle::Solid;
    t.kind = ObjectKind::Box;
    t.setVisibleOnly();
    t.rect = QRect(shown.Left, shown.Top, shown.Width, shown.Height);
    view.addObject();

    t.kind = ObjectKind::MemoBox;
    // A highlight would AND the hatch into solid black over the barcode; the
    // label is drawn as a hatch through which the code stays visible.
    t.highlight = false;
    t.brushColor = Qt::black;
    t.penColor = Qt::black;
    t.fontName = QStringLiteral("Verdana");
    t.textColor = Qt::white;
    t.textEditable = false;
    t.text = barcode.Data + QStringLiteral("\r\n") + BarcodeTypeName(barcode.BarcodeType);
    t.fontBold = true;
    t.fontHeight = MarkFontHeight(barcode.Position.Height);
    t.brushStyle = BrushStyle::DiagCross;
    view.addObject();

    t.visible = t.selectable = t.movable = t.resizable = true;
    view.setMouseMode(MouseMode::Select);
}
