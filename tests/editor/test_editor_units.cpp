#include "AdvancedBarcodeSettings.h"
#include "AreaNaming.h"
#include "ExitNotifier.h"
#include "QtPrinters.h"
#include "TSpinEdit.h"
#include "U_Types.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// --- naming ---------------------------------------------------------------------------

TEST(AreaNaming, NextFreeNameCountsUpFromTheNumberOfEntriesPlusOne)
{
    const std::pair<QStringList, const char *> cases[] = {
        {{}, "1 Barcode-Bereich"},
        {{"1 Barcode-Bereich", "3 Barcode-Bereich"}, "4 Barcode-Bereich"},
        {{"2 Barcode-Bereich"}, "3 Barcode-Bereich"},
        {{"2 Barcode-Bereich", "3 Barcode-Bereich", "4 Barcode-Bereich"}, "5 Barcode-Bereich"},
        {{"A", "3 barcode-bereich", "03 Barcode-Bereich"}, "4 Barcode-Bereich"},
        {{"A", "B", " 3 Barcode-Bereich"}, "4 Barcode-Bereich"},
        {{"A", "B", "4 Barcode-Bereich"}, "5 Barcode-Bereich"},
    };
    for (const auto &[captions, expected] : cases) {
        SCOPED_TRACE(captions.join('|').toStdString());
        EXPECT_EQ(nextFreeAreaName(captions), expected);
    }
}

TEST(AreaNaming, NewNamesMustBeUniqueAndNotReserved)
{
    const QStringList captions = {"1 Barcode-Bereich", "Kunde", "Datum "};
    const std::pair<const char *, bool> cases[] = {
        {"1 Barcode-Bereich", false}, {"Kunde", false},          {"kunde", true},
        {"Datum ", false},            {"Datum", true},           {"Element_", false},
        {"Element_1", false},         {"ELEMENT_1", true},       {"Elemen", true},
        {"x Element_", true},         {"<kein Barcode-Feld>", false}, {" <kein Barcode-Feld>", true},
        {"<kein Barcode-Feld> ", true}, {"", true},             {"   ", true},
    };
    for (const auto &[name, accepted] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(isAcceptableAreaName(captions, QString::fromUtf8(name)), accepted);
    }
    EXPECT_FALSE(isAcceptableAreaName({""}, ""));
}

// --- the dialog's values --------------------------------------------------------------

TEST(AdvancedBarcodeSettings, ResetValuesAreThoseOfTheDialogsTable)
{
    const AdvancedBarcodeSettings r = AdvancedBarcodeSettings::resetValues();
    EXPECT_TRUE(r.Code39StartStop);
    EXPECT_FALSE(r.ExtendedC39);
    EXPECT_TRUE(r.ConvertUPCE);
    EXPECT_FALSE(r.Numeric);
    EXPECT_FALSE(r.OverSampling);
    EXPECT_TRUE(r.AllowDuplicate);
    EXPECT_FALSE(r.Code39Checksum);
    EXPECT_FALSE(r.ErrorCorrection);
    EXPECT_FALSE(r.ShowCheckDig);
    EXPECT_EQ(r.SkewTolerance, 0);
    EXPECT_EQ(r.Pattern, "");
    EXPECT_EQ(r.NoiseReduction, 0);
    EXPECT_EQ(r.QuietZone, 10);
    EXPECT_EQ(r.LineJump, 5);
    EXPECT_EQ(r.ColorThreshold, 128);
    EXPECT_EQ(r.MinSpaceBar, 1);
}

TEST(AdvancedBarcodeSettings, WritingTouchesTheSixteenFieldsOnly)
{
    TOCRField field(7);
    field.Name = "Kunde";
    field.BCArea = "1,2,3,4";
    field.BCType = 16;
    field.BCDirection = 4;
    field.MinLen = 3;
    field.MaxLen = 30;
    AdvancedBarcodeSettings s;
    s.Numeric = s.ShowCheckDig = true;
    s.SkewTolerance = 5;
    s.Pattern = "X";
    s.NoiseReduction = -1;
    s.QuietZone = 2;
    s.LineJump = 3;
    s.ColorThreshold = 4;
    s.MinSpaceBar = 5;
    s.writeTo(field);
    EXPECT_EQ(AdvancedBarcodeSettings::of(field), s);
    EXPECT_EQ(field.ObjectHandle, 7);
    EXPECT_EQ(field.Name, "Kunde");
    EXPECT_EQ(field.BCArea, "1,2,3,4");
    EXPECT_EQ(field.BCType, 16);
    EXPECT_EQ(field.BCDirection, 4);
    EXPECT_EQ(field.MinLen, 3);
    EXPECT_EQ(field.MaxLen, 30);
}

// --- the spin field ---------------------------------------------------------------------

// A window with a spin field (1 to 9999) and a line edit to move the focus to.
class SpinField : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        spin = new TSpinEdit;
        spin->setRange(1, 9999);
        spin->setValue(2);
        other = new QLineEdit;
        layout->addWidget(spin);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return window.isActiveWindow(); }));
        QObject::connect(spin, &TSpinEdit::exited, [this] { seenAtExit.append(spin->text()); });
    }

    void retype(const QString &text)
    {
        spin->setFocus(Qt::TabFocusReason);
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(spin, Qt::Key_Delete);
        QTest::keyClicks(spin, text);
    }

    QWidget window;
    TSpinEdit *spin = nullptr;
    QLineEdit *other = nullptr;
    QStringList seenAtExit;
};

TEST_F(SpinField, ExitSeesTheTextAsTypedThenTheRangeIsForced)
{
    const std::pair<const char *, const char *> cases[] = {
        {"0", "1"}, {"12345", "9999"}, {"-5", "1"}, {"77", "77"}, {"0042", "42"}, {"99999999999", "42"},
    };
    for (const auto &[typed, shown] : cases) {
        SCOPED_TRACE(typed);
        seenAtExit.clear();
        retype(typed);
        EXPECT_EQ(spin->text(), typed);
        other->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(seenAtExit, QStringList{typed});
        EXPECT_EQ(spin->text(), shown);
    }
}

TEST_F(SpinField, RepairReplacesTextsThatAreNoIntegers)
{
    const std::pair<const char *, std::optional<std::int32_t>> cases[] = {
        {"", std::nullopt},   {"-", std::nullopt},   {"+", std::nullopt}, {"1.5", std::nullopt},
        {"2147483648", std::nullopt}, {"-2147483648", INT32_MIN}, {"+7", 7}, {"0", 0},
    };
    for (const auto &[typed, integer] : cases) {
        SCOPED_TRACE(typed);
        retype(typed);
        EXPECT_EQ(spin->integerText(), integer);
        EXPECT_EQ(spin->repairText(999), integer.value_or(999));
        if (!integer)
            EXPECT_EQ(spin->text(), "999");
        else
            EXPECT_EQ(spin->text(), typed); // the range is forced only on leaving
    }
}

TEST_F(SpinField, TypedLettersAreIgnoredPastedTextIsTaken)
{
    retype("");
    QTest::keyClicks(spin, "a1b-x.");
    EXPECT_EQ(spin->text(), "1-.");
    QApplication::clipboard()->setText(QStringLiteral("zwölf"));
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "zwölf");
    EXPECT_EQ(spin->integerOr(-1), -1);
}

TEST_F(SpinField, LosingTheFocusWithTheWindowIsNoExit)
{
    retype("0");
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(spin, &deactivated);
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(spin, &popup);
    EXPECT_TRUE(seenAtExit.isEmpty());
    EXPECT_EQ(spin->text(), "0");
    // Enter leaves the text alone too: a dialog's OK reads it as typed.
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(spin->text(), "0");
}

TEST_F(SpinField, ArrowsStepWithinTheRange)
{
    spin->setValue(9998);
    spin->setFocus(Qt::TabFocusReason);
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "9999");
    spin->setValue(1);
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->text(), "1");
}

TEST(ExitNotifier, CallsOnFocusMovesWithinTheWindowOnly)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *a = new QLineEdit;
    auto *b = new QLineEdit;
    layout->addWidget(a);
    layout->addWidget(b);
    int exits = 0;
    ExitNotifier::watch(a, [&] { ++exits; });
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent e(QEvent::FocusOut, reason);
        QApplication::sendEvent(a, &e);
    }
    EXPECT_EQ(exits, 0);
    for (Qt::FocusReason reason : {Qt::TabFocusReason, Qt::MouseFocusReason, Qt::OtherFocusReason}) {
        QFocusEvent e(QEvent::FocusOut, reason);
        QApplication::sendEvent(a, &e);
    }
    EXPECT_EQ(exits, 3);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(a, &in);
    QFocusEvent otherOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(b, &otherOut);
    EXPECT_EQ(exits, 3);
}

} // namespace
