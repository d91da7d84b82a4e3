#include "ImageEnVect.h"

#include "AnnotationObjects.h"
#include "AppError.h"
#include "PageImageLoader.h"
#include "PageScaler.h"
#include "QuarterTurn.h"
#include "WangAnnotations.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyle>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const QColor Silver(192, 192, 192);
constexpr double GripSize = 7.0;     // screen pixels
constexpr double DragThreshold = 2.0; // screen pixels before a press becomes a drag
constexpr double LineHitSlack = 4.0;  // screen pixels around a line that still hit it

Qt::BrushStyle qtBrushStyle(BrushStyle s)
{
    switch (s) {
    case BrushStyle::Solid:
        return Qt::SolidPattern;
    case BrushStyle::DiagCross:
        return Qt::DiagCrossPattern;
    case BrushStyle::None:
        break;
    }
    return Qt::NoBrush;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    const double t = len2 > 0 ? qBound(0.0, QPointF::dotProduct(p - a, d) / len2, 1.0) : 0.0;
    const QPointF q = a + t * d;
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}

} // namespace

struct TImageEnVect::Drag
{
    enum class Kind { Draw, Move, Resize, Band, Click };
    Kind kind = Kind::Click;
    QPointF pressView;
    QPoint pressPixel;
    QPoint currentPixel;
    QPointF currentView;
    bool started = false; // moved beyond the threshold
    int hobj = -1;
    int grip = -1;
    QRect startRect;
    QList<QPoint> startPoints;
};

TImageEnVect::TImageEnVect(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(false);
    updateCursor();
}

TImageEnVect::~TImageEnVect()
{
    delete m_drag;
}

// --- the image ---------------------------------------------------------------

void TImageEnVect::loadFromFile(const QString &path)
{
    if (path.isEmpty())
        return;
    replaceImage(PageImageLoader::load(path));
}

void TImageEnVect::setImage(const QImage &image)
{
    if (image.width() > MaxImageSide || image.height() > MaxImageSide)
        throw AppError(QStringLiteral("Das Bild ist mit %1 x %2 Pixeln zu groß (höchstens %3 x %3).")
                           .arg(image.width())
                           .arg(image.height())
                           .arg(MaxImageSide));
    QImage copy = image;
    if (copy.format() != QImage::Format_Grayscale8 && copy.format() != QImage::Format_RGB32)
        copy.convertTo(copy.allGray() ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    replaceImage(std::move(copy));
}

void TImageEnVect::replaceImage(QImage image)
{
    delete m_drag;
    m_drag = nullptr;
    m_image = std::move(image);
    m_scaled = QImage();
    m_scaledZoom = 0;
    m_objects.clear();
    m_order.clear();
    m_selected.clear();
    m_rotation = 0;
    m_zoom = 100.0;
    updateScrollBars();
    viewport()->update();
}

bool TImageEnVect::hasImage() const
{
    return !m_image.isNull();
}

int TImageEnVect::bitmapWidth() const
{
    return m_image.width();
}

int TImageEnVect::bitmapHeight() const
{
    return m_image.height();
}

int TImageEnVect::documentWidth() const
{
    return QuarterTurn::mapSize(m_image.size(), m_rotation / 90).width();
}

int TImageEnVect::documentHeight() const
{
    return QuarterTurn::mapSize(m_image.size(), m_rotation / 90).height();
}

// --- zoom and scrolling -------------------------------------------------------

double TImageEnVect::fitZoom(int clientWidth, int clientHeight, int imageWidth, int imageHeight)
{
    if (clientWidth <= 0 || clientHeight <= 0 || imageWidth <= 0 || imageHeight <= 0)
        return 0;
    return qMin(double(clientWidth) / imageWidth * 100.0, double(clientHeight) / imageHeight * 100.0);
}

void TImageEnVect::setZoom(double percent)
{
    if (!(percent > 0) || percent == m_zoom)
        return;
    const double z = qBound(MinZoom, percent, MaxZoom);
    if (z == m_zoom)
        return;
    // Keep the image point under the middle of the view where it is.
    const QPointF centre(viewport()->width() / 2.0, viewport()->height() / 2.0);
    const QPointF anchor = viewToImage(centre);
    m_zoom = z;
    updateScrollBars();
    horizontalScrollBar()->setValue(int(std::lround(anchor.x() * scale() - centre.x())));
    verticalScrollBar()->setValue(int(std::lround(anchor.y() * scale() - centre.y())));
    viewport()->update();
}

void TImageEnVect::fit()
{
    if (!hasImage())
        return;
    // Measured without scroll bars: at the fitting zoom none are needed.
    const QRect client = contentsRect();
    const double z = fitZoom(client.width(), client.height(), m_image.width(), m_image.height());
    if (z <= 0)
        return;
    m_zoom = qBound(MinZoom, z, MaxZoom);
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

QSize TImageEnVect::scaledSize() const
{
    if (!hasImage())
        return {0, 0};
    return {qMax(1, int(std::lround(m_image.width() * scale()))),
            qMax(1, int(std::lround(m_image.height() * scale())))};
}

void TImageEnVect::updateScrollBars()
{
    const QSize content = scaledSize();
    // Decide the bars from the whole client area first, so that a page that
    // fits is never given bars only because the other bar took space.
    const QSize full = contentsRect().size();
    bool needH = content.width() > full.width();
    bool needV = content.height() > full.height();
    const int barW = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (needH && !needV)
        needV = content.height() > full.height() - barW;
    if (needV && !needH)
        needH = content.width() > full.width() - barW;
    setHorizontalScrollBarPolicy(needH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(needV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const QSize vp(full.width() - (needV ? barW : 0), full.height() - (needH ? barW : 0));
    horizontalScrollBar()->setRange(0, qMax(0, content.width() - vp.width()));
    horizontalScrollBar()->setPageStep(qMax(1, vp.width()));
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, qMax(0, content.height() - vp.height()));
    verticalScrollBar()->setPageStep(qMax(1, vp.height()));
    verticalScrollBar()->setSingleStep(20);
}

bool TImageEnVect::horizontalScrollBarShown() const
{
    return horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

bool TImageEnVect::verticalScrollBarShown() const
{
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

void TImageEnVect::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TImageEnVect::scrollContentsBy(int, int)
{
    viewport()->update();
}

QPointF TImageEnVect::imageOrigin() const
{
    const QSize content = scaledSize();
    const QSize vp = viewport()->size();
    // A page smaller than the view sits in its middle.
    const double x = content.width() < vp.width() ? std::floor((vp.width() - content.width()) / 2.0)
                                                   : -double(horizontalScrollBar()->value());
    const double y = content.height() < vp.height() ? std::floor((vp.height() - content.height()) / 2.0)
                                                     : -double(verticalScrollBar()->value());
    return {x, y};
}

QPointF TImageEnVect::viewToImage(const QPointF &p) const
{
    return (p - imageOrigin()) / scale();
}

QPoint TImageEnVect::imagePixelAt(const QPointF &viewPos) const
{
    const QPointF ip = viewToImage(viewPos);
    return {int(std::floor(qBound(-1e7, ip.x(), 1e7))), int(std::floor(qBound(-1e7, ip.y(), 1e7)))};
}

QRectF TImageEnVect::imageToView(const QRect &r) const
{
    const QPointF o = imageOrigin();
    const double s = scale();
    return {o.x() + r.left() * s, o.y() + r.top() * s, r.width() * s, r.height() * s};
}

// --- rotation -----------------------------------------------------------------

void TImageEnVect::rotate(int degreesCcw)
{
    const int q = QuarterTurn::fromDegrees(degreesCcw);
    if (q <= 0 || !hasImage())
        return;
    const QSize before = m_image.size();
    for (auto it = m_objects.begin(); it != m_objects.end(); ++it) {
        it->rect = QuarterTurn::mapRect(it->rect, before, q);
        for (QPoint &p : it->points)
            p = QuarterTurn::mapPoint(p, before, q);
    }
    // QTransform turns clockwise for positive angles on a y-down image.
    m_image = m_image.transformed(QTransform().rotate(-90.0 * q));
    m_scaled = QImage();
    m_scaledZoom = 0;
    m_rotation = (m_rotation + 90 * q) % 360;
    updateScrollBars();
    viewport()->update();
}

TAreaRect TImageEnVect::mapRectToDocument(const TAreaRect &shown) const
{
    const int q = m_rotation / 90;
    return QuarterTurn::toAreaRect(QuarterTurn::mapRect(QuarterTurn::toQRect(shown), m_image.size(), (4 - q) % 4));
}

TAreaRect TImageEnVect::mapRectFromDocument(const TAreaRect &document) const
{
    const int q = m_rotation / 90;
    const QSize docSize = QuarterTurn::mapSize(m_image.size(), q);
    return QuarterTurn::toAreaRect(QuarterTurn::mapRect(QuarterTurn::toQRect(document), docSize, q));
}

// --- objects --------------------------------------------------------------------

int TImageEnVect::insertObject(VectorObject o)
{
    int h = 0;
    while (m_objects.contains(h))
        ++h;
    m_objects.insert(h, std::move(o));
    m_order.append(h);
    viewport()->update();
    return h;
}

int TImageEnVect::addObject()
{
    return insertObject(m_template);
}

bool TImageEnVect::hasObject(int hobj) const
{
    return m_objects.contains(hobj);
}

const VectorObject &TImageEnVect::object(int hobj) const
{
    const auto it = m_objects.constFind(hobj);
    if (it == m_objects.cend())
        throw AppError(QStringLiteral("Das Bildobjekt %1 gibt es nicht.").arg(hobj));
    return *it;
}

TAreaRect TImageEnVect::objectRect(int hobj) const
{
    return QuarterTurn::toAreaRect(object(hobj).rect);
}

QList<int> TImageEnVect::objectHandles() const
{
    return m_objects.keys();
}

void TImageEnVect::selectObject(int hobj)
{
    const auto it = m_objects.constFind(hobj);
    if (it == m_objects.cend() || !it->selectable || m_selected.contains(hobj))
        return;
    m_selected.insert(hobj);
    viewport()->update();
}

void TImageEnVect::deselectObject(int hobj)
{
    if (m_selected.remove(hobj))
        viewport()->update();
}

void TImageEnVect::deselectAllObjects()
{
    if (m_selected.isEmpty())
        return;
    m_selected.clear();
    viewport()->update();
}

void TImageEnVect::removeObject(int hobj)
{
    if (!m_objects.remove(hobj))
        return;
    m_order.removeAll(hobj);
    m_selected.remove(hobj);
    if (m_drag && m_drag->hobj == hobj) {
        delete m_drag;
        m_drag = nullptr;
    }
    viewport()->update();
}

void TImageEnVect::removeAllObjects()
{
    m_objects.clear();
    m_order.clear();
    m_selected.clear();
    if (m_drag && m_drag->hobj >= 0) {
        delete m_drag;
        m_drag = nullptr;
    }
    viewport()->update();
}

bool TImageEnVect::isSelected(int hobj) const
{
    return m_selected.contains(hobj);
}

QList<int> TImageEnVect::selectedObjects() const
{
    QList<int> list = m_selected.values();
    std::sort(list.begin(), list.end());
    return list;
}

// --- annotations ------------------------------------------------------------------

AnnotationImportResult TImageEnVect::copyAnnotationsFrom(const QString &path)
{
    AnnotationImportResult result;
    if (path.isEmpty() || !PageImageLoader::isTiffPath(path))
        return result;
    QByteArray bytes;
    double yDpi = 0;
    try {
        bytes = PageImageLoader::readAnnotationTag(path, &yDpi);
    } catch (const AppError &e) {
        result.error = e.message();
        return result;
    }
    if (bytes.isEmpty())
        return result;
    const WangAnnotationBlock block = parseWangAnnotations(bytes);
    const int q = m_rotation / 90;
    const QSize docSize = QuarterTurn::mapSize(m_image.size(), q);
    for (const WangMark &mark : block.marks) {
        std::optional<VectorObject> o = annotationObject(mark, yDpi);
        if (!o) {
            ++result.skipped;
            continue;
        }
        o->rect = QuarterTurn::mapRect(o->rect, docSize, q);
        for (QPoint &p : o->points)
            p = QuarterTurn::mapPoint(p, docSize, q);
        result.handles.append(insertObject(std::move(*o)));
    }
    if (!block.error.isEmpty())
        result.error = QStringLiteral("Die Anmerkungen der Bilddatei \"%1\" sind beschädigt: %2").arg(path, block.error);
    return result;
}

// --- painting ------------------------------------------------------------------------

const QImage &TImageEnVect::scaledPage()
{
    if (m_scaled.isNull() || m_scaledZoom != m_zoom) {
        m_scaled = PageScaler::downscale(m_image, scaledSize());
        m_scaledZoom = m_zoom;
    }
    return m_scaled;
}

void TImageEnVect::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QRect vp = viewport()->rect();
    p.fillRect(vp, Silver);
    if (!hasImage())
        return;

    const QPointF origin = imageOrigin();
    const QSize content = scaledSize();
    const QRect pageOnView = QRect(origin.toPoint(), content).intersected(vp);
    if (!pageOnView.isEmpty()) {
        if (m_zoom < 100.0) {
            const QImage &page = scaledPage();
            p.drawImage(pageOnView.topLeft(), page, pageOnView.translated(-origin.toPoint()));
        } else if (m_zoom == 100.0) {
            p.drawImage(pageOnView.topLeft(), m_image, pageOnView.translated(-origin.toPoint()));
        } else {
            // Enlarged: whole image pixels as blocks, only the visible part.
            const double s = scale();
            const QRectF src((pageOnView.left() - origin.x()) / s, (pageOnView.top() - origin.y()) / s,
                             pageOnView.width() / s, pageOnView.height() / s);
            p.drawImage(QRectF(pageOnView), m_image, src);
        }
    }

    p.setClipRect(pageOnView);
    for (int h : std::as_const(m_order)) {
        const VectorObject &o = m_objects.constFind(h).value();
        if (o.visible)
            paintObject(p, o, m_selected.contains(h));
    }
    p.setClipping(false);

    if (m_drag && m_drag->started && (m_drag->kind == Drag::Kind::Draw || m_drag->kind == Drag::Kind::Band)) {
        QRectF band;
        if (m_drag->kind == Drag::Kind::Draw)
            band = imageToView(QuarterTurn::spanning(m_drag->pressPixel, m_drag->currentPixel));
        else
            band = QRectF(m_drag->pressView, m_drag->currentView).normalized();
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(band.adjusted(0, 0, -1, -1));
    }
}

void TImageEnVect::paintObject(QPainter &p, const VectorObject &o, bool selected) const
{
    const double s = scale();
    const QRectF vr = imageToView(o.rect);
    p.save();
    switch (o.kind) {
    case ObjectKind::Box:
    case ObjectKind::MemoBox: {
        if (o.highlight) {
            // Marker pen: page AND colour, so black text stays black.
            p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            p.fillRect(vr.toAlignedRect(), o.brushColor);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        } else if (o.brushStyle != BrushStyle::None) {
            QBrush brush(o.brushColor, qtBrushStyle(o.brushStyle));
            if (o.brushStyle == BrushStyle::DiagCross)
                brush.setTransform(QTransform::fromScale(qMax(1.0, s), qMax(1.0, s)));
            p.fillRect(vr, brush);
        }
        if (o.penWidth > 0 && !o.highlight) {
            const double w = qMax(1.0, o.penWidth * s);
            QPen pen(o.penColor, w);
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(vr.adjusted(w / 2, w / 2, -w / 2, -w / 2));
        }
        if (o.kind == ObjectKind::MemoBox && !o.text.isEmpty()) {
            QFont font(o.fontName);
            font.setBold(o.fontBold);
            // Negative: character height; positive: cell height, about a
            // fifth more than the characters.
            const double px = (o.fontHeight < 0 ? -o.fontHeight : o.fontHeight * 0.8) * s;
            font.setPixelSize(qBound(1, int(std::lround(px)), 20000));
            p.setFont(font);
            p.setPen(o.textColor);
            QString text = o.text;
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            p.setClipRect(vr, Qt::IntersectClip);
            p.drawText(vr.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        }
        break;
    }
    case ObjectKind::Line:
    case ObjectKind::Polyline: {
        if (o.points.size() < 2)
            break;
        const QPointF origin = imageOrigin();
        QPolygonF poly;
        for (const QPoint &pt : o.points)
            poly << origin + QPointF((pt.x() + 0.5) * s, (pt.y() + 0.5) * s);
        QPen pen(o.penColor, qMax(1.0, o.penWidth * s), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        if (o.highlight)
            p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.setPen(pen);
        p.drawPolyline(poly);
        break;
    }
    }
    p.restore();

    if (selected) {
        p.save();
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(vr.adjusted(0, 0, -1, -1));
        if (o.resizable) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            for (const QRectF &g : gripRects(o))
                p.drawRect(g.adjusted(0, 0, -1, -1));
        }
        p.restore();
    }
}

QList<QRectF> TImageEnVect::gripRects(const VectorObject &o) const
{
    const QRectF r = imageToView(o.rect);
    const double h = GripSize / 2;
    const QList<QPointF> centres = {r.topLeft(),     QPointF(r.center().x(), r.top()),
                                    r.topRight(),    QPointF(r.right(), r.center().y()),
                                    r.bottomRight(), QPointF(r.center().x(), r.bottom()),
                                    r.bottomLeft(),  QPointF(r.left(), r.center().y())};
    QList<QRectF> grips;
    for (const QPointF &c : centres)
        grips.append(QRectF(c.x() - h, c.y() - h, GripSize, GripSize));
    return grips;
}

// --- mouse ---------------------------------------------------------------------------

QCursor TImageEnVect::crosshairCursor()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawLine(16, 0, 16, 31);
    p.drawLine(0, 16, 31, 16);
    p.setBrush(Qt::NoBrush);
    p.drawRect(14, 14, 4, 4);
    p.end();
    return QCursor(pm, 16, 16);
}

void TImageEnVect::setMouseMode(MouseMode mode)
{
    m_mouseMode = mode;
    delete m_drag;
    m_drag = nullptr;
    updateCursor();
    viewport()->update();
}

void TImageEnVect::updateCursor()
{
    viewport()->setCursor(m_mouseMode == MouseMode::DrawBox ? crosshairCursor() : QCursor(Qt::ArrowCursor));
}

int TImageEnVect::objectAt(const QPointF &viewPos) const
{
    for (auto it = m_order.crbegin(); it != m_order.crend(); ++it) {
        const VectorObject &o = m_objects.constFind(*it).value();
        if (!o.visible)
            continue;
        if (o.kind == ObjectKind::Line || o.kind == ObjectKind::Polyline) {
            const double s = scale();
            const QPointF origin = imageOrigin();
            const double slack = qMax(LineHitSlack, o.penWidth * s / 2);
            for (int i = 1; i < o.points.size(); ++i) {
                const QPointF a = origin + QPointF((o.points[i - 1].x() + 0.5) * s, (o.points[i - 1].y() + 0.5) * s);
                const QPointF b = origin + QPointF((o.points[i].x() + 0.5) * s, (o.points[i].y() + 0.5) * s);
                if (distanceToSegment(viewPos, a, b) <= slack)
                    return *it;
            }
        } else if (imageToView(o.rect).contains(viewPos)) {
            return *it;
        }
    }
    return -1;
}

int TImageEnVect::gripAt(int hobj, const QPointF &viewPos) const
{
    const QList<QRectF> grips = gripRects(m_objects.constFind(hobj).value());
    for (int i = 0; i < grips.size(); ++i)
        if (grips[i].contains(viewPos))
            return i;
    return -1;
}

void TImageEnVect::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !hasImage() || m_mouseMode == MouseMode::None) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    delete m_drag;
    m_drag = new Drag;
    m_drag->pressView = m_drag->currentView = event->position();
    m_drag->pressPixel = m_drag->currentPixel = imagePixelAt(event->position());

    if (m_mouseMode == MouseMode::DrawBox) {
        m_drag->kind = Drag::Kind::Draw;
        return;
    }

    // Grips of selected objects come first: they stick out of the object.
    for (auto it = m_order.crbegin(); it != m_order.crend(); ++it) {
        const VectorObject &o = m_objects.constFind(*it).value();
        if (m_selected.contains(*it) && o.visible && o.resizable) {
            const int grip = gripAt(*it, event->position());
            if (grip >= 0) {
                m_drag->kind = Drag::Kind::Resize;
                m_drag->hobj = *it;
                m_drag->grip = grip;
                m_drag->startRect = o.rect;
                m_drag->startPoints = o.points;
                return;
            }
        }
    }

    const int hit = objectAt(event->position());
    if (hit >= 0) {
        const VectorObject &o = m_objects.constFind(hit).value();
        m_drag->hobj = hit;
        m_drag->kind = Drag::Kind::Click;
        if (o.selectable) {
            if (!m_selected.contains(hit) && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
                m_selected.clear();
            m_selected.insert(hit);
            if (o.movable) {
                m_drag->kind = Drag::Kind::Move;
                m_drag->startRect = o.rect;
                m_drag->startPoints = o.points;
            }
            viewport()->update();
        }
        return;
    }

    if (!(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
        deselectAllObjects();
    m_drag->kind = m_rubberBand ? Drag::Kind::Band : Drag::Kind::Click;
}

void TImageEnVect::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    dragTo(event->position());
}

void TImageEnVect::dragTo(const QPointF &viewPos)
{
    Drag &d = *m_drag;
    d.currentView = viewPos;
    d.currentPixel = imagePixelAt(viewPos);
    if (!d.started && (std::abs(viewPos.x() - d.pressView.x()) >= DragThreshold
                       || std::abs(viewPos.y() - d.pressView.y()) >= DragThreshold))
        d.started = true;
    if (!d.started)
        return;

    const QRect page(QPoint(0, 0), m_image.size());
    // Whole image pixels moved since the press, so that the same mouse path
    // gives the same rectangle at every zoom level.
    const int dx = int(std::lround((viewPos.x() - d.pressView.x()) / scale()));
    const int dy = int(std::lround((viewPos.y() - d.pressView.y()) / scale()));

    if (d.kind == Drag::Kind::Move || d.kind == Drag::Kind::Resize) {
        const int h = d.hobj;
        auto it = m_objects.find(h);
        if (it == m_objects.end())
            return;
        QRect r = d.startRect;
        int mx = dx, my = dy;
        if (d.kind == Drag::Kind::Move) {
            // Keep the object on the page when it fits there.
            if (r.width() <= page.width())
                mx = qBound(page.left() - r.left(), mx, page.right() - r.right());
            if (r.height() <= page.height())
                my = qBound(page.top() - r.top(), my, page.bottom() - r.bottom());
            r.translate(mx, my);
            it->rect = r;
            it->points = d.startPoints;
            for (QPoint &p : it->points)
                p += QPoint(mx, my);
        } else {
            const int g = d.grip;
            if (g == 0 || g == 6 || g == 7)
                r.setLeft(qBound(qMin(0, d.startRect.left()), d.startRect.left() + dx, d.startRect.right()));
            if (g == 2 || g == 3 || g == 4)
                r.setRight(qBound(d.startRect.left(), d.startRect.right() + dx, qMax(page.right(), d.startRect.right())));
            if (g == 0 || g == 1 || g == 2)
                r.setTop(qBound(qMin(0, d.startRect.top()), d.startRect.top() + dy, d.startRect.bottom()));
            if (g == 4 || g == 5 || g == 6)
                r.setBottom(qBound(d.startRect.top(), d.startRect.bottom() + dy, qMax(page.bottom(), d.startRect.bottom())));
            it->rect = r;
            // Lines keep their shape, stretched into the new box.
            const QRect s0 = d.startRect;
            it->points = d.startPoints;
            for (QPoint &p : it->points) {
                const double fx = s0.width() > 1 ? double(p.x() - s0.left()) / (s0.width() - 1) : 0.0;
                const double fy = s0.height() > 1 ? double(p.y() - s0.top()) / (s0.height() - 1) : 0.0;
                p = QPoint(r.left() + int(std::lround(fx * (r.width() - 1))),
                           r.top() + int(std::lround(fy * (r.height() - 1))));
            }
            mx = dx;
            my = dy;
        }
        viewport()->update();
        emit objectMoveResize(h, d.kind == Drag::Kind::Move ? -1 : d.grip, mx, my);
        return;
    }
    viewport()->update();
}

void TImageEnVect::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_drag || event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    dragTo(event->position());
    std::unique_ptr<Drag> d(m_drag);
    m_drag = nullptr;
    viewport()->update();

    if (d->kind == Drag::Kind::Draw) {
        if (!d->started)
            return;
        const QRect page(QPoint(0, 0), m_image.size());
        const QRect r = QuarterTurn::spanning(d->pressPixel, d->currentPixel).intersected(page);
        if (r.isEmpty())
            return;
        VectorObject o = m_template;
        o.rect = r;
        if (o.kind == ObjectKind::Line || o.kind == ObjectKind::Polyline)
            o.points = {d->pressPixel, d->currentPixel};
        const int h = insertObject(std::move(o));
        emit newObject(h);
        // The handler may have removed it again.
        if (m_objects.contains(h)) {
            m_selected.clear();
            selectObject(h);
        }
        return;
    }

    if (d->kind == Drag::Kind::Band) {
        if (d->started) {
            const QRectF band = QRectF(d->pressView, d->currentView).normalized();
            for (int h : std::as_const(m_order)) {
                const VectorObject &o = m_objects.constFind(h).value();
                if (o.visible && o.selectable && band.intersects(imageToView(o.rect)))
                    m_selected.insert(h);
            }
        }
        return;
    }

    const int hit = objectAt(event->position());
    if (hit >= 0)
        emit objectClick(hit);
}
