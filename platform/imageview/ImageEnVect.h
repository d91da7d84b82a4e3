#pragma once

#include "TAreaRect.h"
#include "VectorObject.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QImage>
#include <QMap>
#include <QPointF>
#include <QSet>
#include <QString>
#include <QStringList>

class QPainter;

// How the left mouse button acts on the image.
enum class MouseMode {
    None,    // pressing and dragging neither draws nor selects
    DrawBox, // press, drag, release draws a box from the template
    Select,  // click selects; a selected object is moved and resized with grips
};

// What copying a file's imaging annotations achieved. Annotations are a bonus
// on the page, so a damaged block never stops the page from showing: the
// objects that could be read are added and the rest is described in error.
struct AnnotationImportResult
{
    QList<int> handles;   // the objects added, in the order of the file
    QString error;        // empty when the whole block was read
    int skipped = 0;      // marks of kinds the view does not draw (embedded images, forms, ...)
    bool ok() const { return error.isEmpty(); }
};

// The image view with a layer of vector objects: shows one page, zooms,
// rotates by quarter turns, and lets the user draw, select, move and resize
// boxes. Objects are named by handles: small non-negative integers, the lowest
// free number given to each new object, so handles are consecutive from 0 in
// the order of adding until one is removed.
//
// Errors: loadFromFile raises AppError with a text for the user; the object
// operations raise AppError for a handle that names no object (except where
// stated); nothing here lets bad input crash the program.
class TImageEnVect : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Zoom bounds in percent. Below 1 % a page is a few pixels; above 6400 %
    // one pixel fills a screen, and a 30000-pixel page stays within the
    // scroll bars' int range.
    static constexpr double MinZoom = 1.0;
    static constexpr double MaxZoom = 6400.0;
    // Largest image side accepted; a larger header is refused before any
    // pixel memory is taken.
    static constexpr int MaxImageSide = 30000;

    explicit TImageEnVect(QWidget *parent = nullptr);
    ~TImageEnVect() override;

    // --- the image -------------------------------------------------------
    // Loads a page; the format follows the file name's extension (TIFF through
    // libtiff: bilevel G3/G4, LZW, JPEG, grey, colour, multi-page -> first
    // page; everything else through Qt's readers). An empty path does
    // nothing. On success every object is removed, the rotation is reset to 0
    // and the zoom to 100. On failure (missing, truncated or corrupt file,
    // image above the pixel limit) raises AppError and keeps what was shown.
    void loadFromFile(const QString &path);
    // Shows an image that is already in memory (demo pages, tests); same
    // effect on objects, rotation and zoom as loadFromFile.
    void setImage(const QImage &image);
    bool hasImage() const;
    // The bitmap as shown now, i.e. after rotation.
    int bitmapWidth() const;
    int bitmapHeight() const;
    const QImage &bitmap() const { return m_image; }

    // --- zoom and scrolling ----------------------------------------------
    // Percent: 100 shows one image pixel per screen pixel.
    double zoom() const { return m_zoom; }
    // A value of 0 or below, or equal to the current one, is ignored; others
    // are clamped to [MinZoom, MaxZoom].
    void setZoom(double percent);
    // Fits the whole image into the view (a small image is enlarged) with the
    // scroll bars hidden. Does nothing without an image.
    void fit();
    bool horizontalScrollBarShown() const;
    bool verticalScrollBarShown() const;
    // Pure helper shared with the window's zoom buttons: the zoom that fit()
    // chooses for an image in a client area (0 when either is empty).
    static double fitZoom(int clientWidth, int clientHeight, int imageWidth, int imageHeight);

    // --- rotation -----------------------------------------------------------
    // Turns the image counter-clockwise by 90, 180 or 270 degrees, and every
    // object with it so that it stays over the same pixels. Other angles are
    // ignored. Four quarter turns give back the first orientation exactly.
    void rotate(int degreesCcw);
    // Counter-clockwise angle of the shown bitmap against the loaded page:
    // 0, 90, 180 or 270.
    int rotation() const { return m_rotation; }
    // Size of the page as loaded (unrotated).
    int documentWidth() const;
    int documentHeight() const;
    // Maps a rectangle (image pixels, inclusive corners) between the shown,
    // rotated bitmap and the page as loaded. Areas drawn on a rotated view are
    // stored in the page's frame; marks found in the page's frame are placed
    // in the current rotation.
    TAreaRect mapRectToDocument(const TAreaRect &shown) const;
    TAreaRect mapRectFromDocument(const TAreaRect &document) const;

    // --- the measuring unit ------------------------------------------------
    // Pixels, factor 1 on both axes; the area text conversion multiplies by it.
    double measureScaleX() const { return 1.0; }
    double measureScaleY() const { return 1.0; }

    // --- objects -------------------------------------------------------------
    // The template for the next object; edit it in place, then addObject().
    VectorObject &objectTemplate() { return m_template; }
    const VectorObject &objectTemplate() const { return m_template; }
    void setObjectTemplate(const VectorObject &t) { m_template = t; }
    // Adds an object made from the template and returns its handle. Raises no
    // newObject signal.
    int addObject();
    bool hasObject(int hobj) const;
    const VectorObject &object(int hobj) const;
    // Left, top, width, height in image pixels of the shown bitmap.
    TAreaRect objectRect(int hobj) const;
    int objectCount() const { return m_objects.size(); }
    // All handles in ascending order.
    QList<int> objectHandles() const;
    // Selects the object unless it is selected already; objects that are not
    // selectable stay unselected. Unknown handles are ignored by these four.
    void selectObject(int hobj);
    void deselectObject(int hobj);
    void deselectAllObjects();
    void removeObject(int hobj);
    void removeAllObjects();
    bool isSelected(int hobj) const;
    QList<int> selectedObjects() const;

    // --- mouse ---------------------------------------------------------------
    void setMouseMode(MouseMode mode);
    MouseMode mouseMode() const { return m_mouseMode; }
    // Dragging over empty image in Select mode selects every object inside the
    // band. Once switched off it stays off until switched on again.
    void setRubberBandEnabled(bool on) { m_rubberBand = on; }
    bool rubberBandEnabled() const { return m_rubberBand; }
    // A thin cross over the whole 32 x 32 cell with a small square at its
    // centre, hot spot at the centre. The view shows it in DrawBox mode and
    // the arrow otherwise; the window may also set it application-wide.
    static QCursor crosshairCursor();

    // --- TIFF imaging annotations ---------------------------------------------
    // Copies the imaging annotations (tag 32932) of the first page of a TIFF
    // file into the view as objects, turned to the current rotation. A file
    // without annotations, or not a TIFF, adds nothing and is no error.
    AnnotationImportResult copyAnnotationsFrom(const QString &path);

signals:
    // The user has drawn a box (DrawBox mode); the object exists already, and
    // is selected after the handlers return.
    void newObject(int hobj);
    // On every mouse movement while an object is moved or resized. grip is
    // -1 for a move, else the grip index (0 top-left, clockwise to 7 left);
    // offsets are the movement since the press in image pixels.
    void objectMoveResize(int hobj, int grip, int offsetX, int offsetY);
    // On release of the button over an object in Select mode, also for
    // objects that are only visible.
    void objectClick(int hobj);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Drag;
    void replaceImage(QImage image);
    int insertObject(VectorObject o);
    void updateScrollBars();
    void updateCursor();
    double scale() const { return m_zoom / 100.0; }
    QSize scaledSize() const;
    QPointF imageOrigin() const;
    QPointF viewToImage(const QPointF &p) const;
    QPoint imagePixelAt(const QPointF &viewPos) const;
    QRectF imageToView(const QRect &r) const;
    int objectAt(const QPointF &viewPos) const;
    int gripAt(int hobj, const QPointF &viewPos) const;
    QList<QRectF> gripRects(const VectorObject &o) const;
    void paintObject(QPainter &p, const VectorObject &o, bool selected) const;
    void dragTo(const QPointF &viewPos);
    const QImage &scaledPage();

    QImage m_image;          // as shown, i.e. after rotation
    QImage m_scaled;         // the page at the current zoom while below 100 %
    double m_scaledZoom = 0;
    double m_zoom = 100.0;
    int m_rotation = 0;
    QMap<int, VectorObject> m_objects;
    QList<int> m_order;      // drawing order: the order of adding
    QSet<int> m_selected;
    VectorObject m_template;
    MouseMode m_mouseMode = MouseMode::None;
    bool m_rubberBand = true;
    Drag *m_drag = nullptr;
};
