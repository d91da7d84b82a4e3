#include "Application.h"
#include "AppError.h"
#include "MessageBoxRecorder.h"
#include "umain.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(IgnoreException, ExceptionInASlotIsDiscardedAndTheProgramGoesOn)
{
    ASSERT_NE(TApplication::instance(), nullptr);
    MessageBoxRecorder boxes;
    Tfmain window; // installs IgnoreException
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // Only the test's throwing slot: the window's own handler of this button
    // would show its box.
    QObject::disconnect(window.SB_DetectAll, nullptr, &window, nullptr);
    int reached = 0;
    QObject::connect(window.SB_DetectAll, &QPushButton::clicked, [&] {
        ++reached;
        throw AppError("kaputt");
    });
    QTest::mouseClick(window.SB_DetectAll, Qt::LeftButton);
    // A button of its own: the window's other buttons have handlers that show boxes.
    auto *other = new QPushButton(QStringLiteral("Test"), &window);
    other->show();
    QObject::connect(other, &QPushButton::clicked, [&] {
        ++reached;
        throw std::runtime_error("auch kaputt");
    });
    QTest::mouseClick(other, Qt::LeftButton);
    // A timer's event goes through the same guard.
    QTimer::singleShot(0, [&] {
        ++reached;
        throw 42;
    });
    QTest::qWait(20);

    EXPECT_EQ(reached, 3);
    EXPECT_TRUE(boxes.shown().isEmpty());
    // The window still works after the exceptions.
    window.SpeedButton5Click();
    QTest::mouseClick(window.SB_DetectAll, Qt::LeftButton);
    EXPECT_EQ(reached, 4);
    TApplication::instance()->setOnException({});
}

TEST(IgnoreException, WithoutTheWindowAnEscapedErrorIsShown)
{
    MessageBoxRecorder boxes;
    TApplication::instance()->setOnException({});
    QTimer::singleShot(0, [] { throw AppError("Sichtbar"); });
    QTest::qWait(20);
    EXPECT_EQ(boxes.texts(), QStringList{"Sichtbar"});
}

} // namespace
