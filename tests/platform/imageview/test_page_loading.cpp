#include "AppError.h"
#include "Fixtures.h"
#include "imageview/ImageEnVect.h"
#include "imageview/PageImageLoader.h"
#include "QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using fixtures::TiffKind;

namespace {

class PageLoading : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

int grey(const QImage &img, int x, int y)
{
    return qGray(img.pixel(x, y));
}

} // namespace

// Every TIFF flavour a scanner writes, plus a Qt format, must give the same
// page: black bars on white, the gradient rows in grey.
TEST_F(PageLoading, ReadsTheTiffFlavoursAndQtFormats)
{
    const QImage page = fixtures::samplePage(64, 40);
    struct Case
    {
        const char *file;
        TiffKind kind;
        bool bilevel;
        int tolerance;
    };
    const Case cases[] = {
        {"g4.tif", TiffKind::G4, true, 0},
        {"g3.tiff", TiffKind::G3, true, 0},
        {"lzw.tif", TiffKind::LzwGrey, false, 0},
        {"jpeg.TIF", TiffKind::JpegRgb, false, 24},
        {"rgb.tif", TiffKind::LzwRgb, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(fixtures::writeTiff(path(c.file), {page}, c.kind));
        const QImage img = PageImageLoader::load(path(c.file));
        ASSERT_EQ(img.size(), page.size());
        for (QPoint p : {QPoint(0, 12), QPoint(7, 5), QPoint(21, 15), QPoint(40, 35), QPoint(63, 39)}) {
            int expected = grey(page, p.x(), p.y());
            if (c.bilevel)
                expected = expected < 128 ? 0 : 255;
            EXPECT_NEAR(grey(img, p.x(), p.y()), expected, c.tolerance) << p.x() << "," << p.y();
        }
    }
    // Bilevel and grey pages stay one byte per pixel.
    EXPECT_EQ(PageImageLoader::load(path("g4.tif")).format(), QImage::Format_Grayscale8);
    EXPECT_EQ(PageImageLoader::load(path("lzw.tif")).format(), QImage::Format_Grayscale8);

    ASSERT_TRUE(page.save(path("page.png")));
    EXPECT_EQ(PageImageLoader::load(path("page.png")).pixel(63, 39), page.pixel(63, 39));
}

TEST_F(PageLoading, MultiPageTiffShowsTheFirstPage)
{
    QImage first(30, 20, QImage::Format_RGB32);
    first.fill(Qt::white);
    QImage second(50, 60, QImage::Format_RGB32);
    second.fill(Qt::black);
    ASSERT_TRUE(fixtures::writeTiff(path("multi.tif"), {first, second}, TiffKind::G4));
    const QImage img = PageImageLoader::load(path("multi.tif"));
    EXPECT_EQ(img.size(), QSize(30, 20));
    EXPECT_EQ(grey(img, 5, 5), 255);
}

// Bad files: a clear error, never a crash, and the view keeps its page.
TEST_F(PageLoading, BadInputIsRefusedWithAClearMessage)
{
    const QImage page = fixtures::samplePage(200, 150);
    ASSERT_TRUE(fixtures::writeTiff(path("good.tif"), {page}, TiffKind::LzwGrey));
    QFile good(path("good.tif"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();

    auto write = [&](const QString &name, const QByteArray &data) {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
        return path(name);
    };
    QImage wide(PageImageLoader::MaxSide + 1, 1, QImage::Format_RGB32);
    wide.fill(Qt::white);
    ASSERT_TRUE(fixtures::writeTiff(path("wide.tif"), {wide}, TiffKind::G4));
    ASSERT_TRUE(wide.save(path("wide.png")));

    struct Case
    {
        QString file;
        const char *expectedText;
    };
    const Case cases[] = {
        {path("missing.tif"), "nicht gefunden"},
        {write("truncated.tif", bytes.left(bytes.size() / 2)), "beschädigt"},
        {write("header-only.tif", bytes.left(8)), "beschädigt"},
        {write("garbage.tif", QByteArray(4000, '\x5a')), "beschädigt"},
        {write("empty.png", QByteArray()), "beschädigt"},
        {write("garbage.png", QByteArray("\x89PNG\r\n\x1a\n garbage garbage")), "beschädigt"},
        {write("page.xyz", bytes), "nicht unterstützt"},
        {path("wide.tif"), "zu groß"},
        {path("wide.png"), "zu groß"},
    };

    TImageEnVect view;
    view.setImage(page);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        try {
            view.loadFromFile(c.file);
            ADD_FAILURE() << "loaded without an error";
        } catch (const AppError &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.expectedText))) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(c.file)) << "the message names the file";
        }
        EXPECT_EQ(view.bitmapWidth(), 200) << "the page shown before stays";
    }
}

TEST_F(PageLoading, EmptyPathLoadsNothing)
{
    TImageEnVect view;
    view.loadFromFile(QString());
    EXPECT_FALSE(view.hasImage());
    EXPECT_EQ(view.bitmapWidth(), 0);
}
