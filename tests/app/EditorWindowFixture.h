#pragma once

// The real main window with a page shown, an index-field grid of three fields
// and its two dialogs, driven with mouse and key events as a user would.

#include "AreaListItem.h"
#include "BearbeiteName.h"
#include "MessageBoxRecorder.h"
#include "QtPrinters.h"
#include "ScreenCursor.h"
#include "TSpinEdit.h"
#include "TreeComboBox.h"
#include "U_Assistent.h"
#include "imageview/ImageEnVect.h"
#include "umain.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStandardItem>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const TAreaRect &r, std::ostream *os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Width << " x " << r.Height << ")";
}

class EditorWindow : public ::testing::Test
{
public:
    static constexpr int PageWidth = 1000;
    static constexpr int PageHeight = 1400;

    void SetUp() override
    {
        window = std::make_unique<Tfmain>();
        window->Form1 = new TForm1(window.get());
        window->F_BarcodeSettings = new TF_BarcodeSettings(window.get());
        window->ImageEnVect1->setImage(page());
        // What start-up does once the page is shown.
        window->SpeedButton7->setEnabled(true);
        window->BuildIndexFieldGrid({"Rechnungsnummer", "Kundennummer", "Datum"}, 3);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        view()->horizontalScrollBar()->setValue(0);
        view()->verticalScrollBar()->setValue(0);
    }

    void TearDown() override
    {
        window.reset();
        ScreenCursor::setArrow();
    }

    static QImage page()
    {
        QImage image(PageWidth, PageHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        for (int y = 100; y < PageHeight; y += 200)
            p.fillRect(80, y, 400, 60, Qt::black);
        return image;
    }

    TImageEnVect *view() const { return window->ImageEnVect1; }
    QTreeWidget *list() const { return window->ListView1; }
    AreaListItem *entry(int i) const { return window->areaItem(i); }
    TOCRField &field(int i) const { return *entry(i)->field(); }
    TAdvTreeComboBox *combo(int k) const { return window->indexFieldCombo(k); }

    QStringList captions() const
    {
        QStringList names;
        for (int i = 0; i < window->areaCount(); ++i)
            names.append(entry(i)->Caption());
        return names;
    }

    // The viewport point over the middle of a pixel of the shown bitmap (zoom
    // 100, scroll bars at 0, page larger than the view in both directions).
    QPoint at(int x, int y) const
    {
        const double s = view()->zoom() / 100.0;
        return QPoint(int((x + 0.5) * s), int((y + 0.5) * s));
    }

    // Press, move in steps (calling between after each), release.
    void drag(QPoint from, QPoint to, const std::function<void()> &between = {})
    {
        QWidget *vp = view()->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        const int steps = 4;
        for (int i = 1; i <= steps; ++i) {
            QTest::mouseMove(vp, from + (to - from) * i / steps);
            if (between)
                between();
        }
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    }

    // "Neuer Barcodebereich", then a box over the pixels of r (bitmap as shown).
    void drawArea(const QRect &r)
    {
        QTest::mouseClick(window->SpeedButton7, Qt::LeftButton);
        drag(at(r.left(), r.top()), at(r.right(), r.bottom()));
    }

    // Areas made the quick way, for tests about what comes after.
    void addAreas(int n)
    {
        for (int i = 0; i < n; ++i) {
            view()->objectTemplate().rect = QRect(10 + (i % 8) * 110, 10 + (i / 8) * 110, 100, 100);
            window->ImageEnVect1NewObject(view()->addObject());
        }
    }

    void clickEntry(int i)
    {
        QTreeWidgetItem *item = list()->topLevelItem(i);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(item).center());
    }

    void clickObject(int hobj)
    {
        const TAreaRect r = view()->objectRect(hobj);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at(r.Left + r.Width / 2, r.Top + r.Height / 2));
    }

    // Types text as key presses; QTest::keyClicks knows ASCII only.
    static void typeText(QWidget *w, const QString &text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(w, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    // Runs action while the next modal dialog is open (once it is active).
    static void whileModal(QDialog *dialog, std::function<void()> action)
    {
        QTimer::singleShot(0, dialog, [dialog, action = std::move(action)] {
            // A window manager gives a new modal dialog the focus; the
            // offscreen platform needs to be asked.
            dialog->activateWindow();
            if (!QTest::qWaitFor([dialog] { return dialog->isActiveWindow(); })) {
                ADD_FAILURE() << "dialog did not become active";
                dialog->reject();
                return;
            }
            action();
        });
    }

    std::unique_ptr<Tfmain> window;
    MessageBoxRecorder boxes;
};
