#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Ink(0x20, 0x20, 0x20);
const QColor Blue(0x1F, 0x4E, 0x9A);
const QColor Green(0x2E, 0x7D, 0x32);

void magnifier(QPainter &p, bool plus)
{
    p.setPen(QPen(Ink, 1.6));
    p.setBrush(QColor(0xE8, 0xF1, 0xFB));
    p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
    p.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
    p.setPen(QPen(Blue, 1.6));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void turn(QPainter &p, bool clockwise)
{
    p.setPen(QPen(Green, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(3, 3, 10, 10);
    QPainterPath head;
    if (clockwise) {
        p.drawArc(arc, 150 * 16, -250 * 16);
        head.moveTo(14.5, 4);
        head.lineTo(14.5, 9);
        head.lineTo(9.5, 9);
    } else {
        p.drawArc(arc, 30 * 16, 250 * 16);
        head.moveTo(1.5, 4);
        head.lineTo(1.5, 9);
        head.lineTo(6.5, 9);
    }
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Green);
    p.drawPath(head);
}

void page(QPainter &p)
{
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
}

// The yellow area that the three area commands share.
void areaBox(QPainter &p)
{
    p.setPen(QPen(Ink, 1, Qt::DashLine));
    p.setBrush(QColor(255, 255, 0, 180));
    p.drawRect(QRectF(1.5, 3.5, 10, 8));
}

void draw(QPainter &p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Save:
        p.setPen(QPen(Ink, 1));
        p.setBrush(Blue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0xC0, 0xC0, 0xC0));
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    case Glyph::ZoomIn:
        magnifier(p, true);
        break;
    case Glyph::ZoomOut:
        magnifier(p, false);
        break;
    case Glyph::RotateRight:
        turn(p, true);
        break;
    case Glyph::RotateLeft:
        turn(p, false);
        break;
    case Glyph::FitWindow: {
        p.setPen(QPen(Ink, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Blue, 1.4));
        const QPointF c(8, 8);
        for (QPointF corner : {QPointF(4, 4), QPointF(12, 4), QPointF(4, 12), QPointF(12, 12)}) {
            p.drawLine(c + (corner - c) * 0.35, corner);
            p.drawLine(corner, QPointF(corner.x() + (c.x() - corner.x()) * 0.6, corner.y()));
            p.drawLine(corner, QPointF(corner.x(), corner.y() + (c.y() - corner.y()) * 0.6));
        }
        break;
    }
    case Glyph::ActualSize: {
        page(p);
        QFont f;
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Blue);
        p.drawText(QRectF(2, 2, 12, 12), Qt::AlignCenter, QStringLiteral("1:1"));
        break;
    }
    case Glyph::NewArea:
        areaBox(p);
        p.setPen(QPen(Green, 2));
        p.drawLine(QPointF(12.5, 9), QPointF(12.5, 15));
        p.drawLine(QPointF(9.5, 12), QPointF(15.5, 12));
        break;
    case Glyph::DeleteArea:
        areaBox(p);
        p.setPen(QPen(QColor(0xC6, 0x28, 0x28), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 9.5), QPointF(9.5, 14.5));
        break;
    case Glyph::RenameArea: {
        areaBox(p);
        QPainterPath pencil;
        pencil.moveTo(8, 15);
        pencil.lineTo(8.6, 12.4);
        pencil.lineTo(14, 7);
        pencil.lineTo(16, 9);
        pencil.lineTo(10.6, 14.4);
        pencil.closeSubpath();
        p.setPen(QPen(Ink, 0.8));
        p.setBrush(QColor(0xF5, 0xA6, 0x23));
        p.drawPath(pencil);
        break;
    }
    }
}

} // namespace

QIcon Glyphs::icon(Glyph glyph)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, glyph);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
