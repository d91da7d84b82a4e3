#include "EditorWindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

class AreaSettings : public EditorWindow
{
public:
    void SetUp() override
    {
        EditorWindow::SetUp();
        drawArea(QRect(100, 100, 100, 50));
        drawArea(QRect(100, 300, 100, 50));
        clickEntry(0);
    }

    // Clicks into a spin field and replaces its whole text by typing.
    void typeInto(QSpinBox *spin, const QString &text)
    {
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(10, spin->height() / 2));
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(spin, Qt::Key_Delete);
        else
            QTest::keyClicks(spin, text);
        ASSERT_EQ(spin->text(), text);
    }

    // Gives a combo the focus and moves its choice with the arrow keys.
    void chooseInCombo(QComboBox *combo, int index)
    {
        combo->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(combo->currentIndex(), index);
    }
};

// --- the area panel ---------------------------------------------------------------------

struct LengthCase
{
    const char *spin;
    const char *typed;
    std::int32_t stored;
    const char *shown;
};

TEST_F(AreaSettings, LengthFieldsStoreWhatWasTypedBeforeForcingTheirRange)
{
    const LengthCase cases[] = {
        {"SE_BCMinWidth", "0", 0, "1"},
        {"SE_BCMinWidth", "12345", 12345, "9999"},
        {"SE_BCMinWidth", "", 2, "2"},
        {"SE_BCMinWidth", "-", 2, "2"},
        {"SE_BCMinWidth", "1.5", 2, "2"},
        {"SE_BCMinWidth", "17", 17, "17"},
        {"SE_BCMaxWidth", "0", 0, "1"},
        {"SE_BCMaxWidth", "12345", 12345, "9999"},
        {"SE_BCMaxWidth", "", 999, "999"},
        {"SE_BCMaxWidth", "+-", 999, "999"},
    };
    for (const LengthCase &c : cases) {
        SCOPED_TRACE(std::string(c.spin) + " '" + c.typed + "'");
        auto *spin = window->findChild<QSpinBox *>(QLatin1String(c.spin));
        typeInto(spin, QString::fromUtf8(c.typed));
        QTest::keyClick(spin, Qt::Key_Tab);
        EXPECT_FALSE(spin->hasFocus());
        const std::int32_t stored = spin == window->SE_BCMinWidth ? field(0).MinLen : field(0).MaxLen;
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(spin->text(), c.shown);
        EXPECT_EQ(field(1).MinLen, 2);
        EXPECT_EQ(field(1).MaxLen, 999);
    }
}

TEST_F(AreaSettings, SpinFieldsTakeNoLettersFromTheKeyboard)
{
    typeInto(window->SE_BCMinWidth, "");
    QTest::keyClicks(window->SE_BCMinWidth, "1x2a");
    EXPECT_EQ(window->SE_BCMinWidth->text(), "12");
}

// How the user leaves the area panel for the other area.
enum class Leave
{
    ClickOtherRectangle,
    ClickOtherEntry,
};

struct ExitCase
{
    const char *what;
    Leave leave;
    std::function<void(AreaSettings &)> edit;
    std::function<bool(const TOCRField &)> storedInFirst;
};

TEST_F(AreaSettings, LeavingThePanelStoresIntoThePreviouslySelectedArea)
{
    const ExitCase cases[] = {
        {"type by rectangle", Leave::ClickOtherRectangle,
         [](AreaSettings &t) { t.chooseInCombo(t.window->CB_BCType, 1); },
         [](const TOCRField &f) { return f.BCType == 2; }},
        {"type by entry", Leave::ClickOtherEntry, [](AreaSettings &t) { t.chooseInCombo(t.window->CB_BCType, 10); },
         [](const TOCRField &f) { return f.BCType == 1024; }},
        {"direction by rectangle", Leave::ClickOtherRectangle,
         [](AreaSettings &t) { t.chooseInCombo(t.window->CB_BCDirection, 3); },
         [](const TOCRField &f) { return f.BCDirection == 8; }},
        {"minimum by rectangle", Leave::ClickOtherRectangle,
         [](AreaSettings &t) { t.typeInto(t.window->SE_BCMinWidth, "0"); },
         [](const TOCRField &f) { return f.MinLen == 0; }},
        {"maximum by entry", Leave::ClickOtherEntry,
         [](AreaSettings &t) { t.typeInto(t.window->SE_BCMaxWidth, "12345"); },
         [](const TOCRField &f) { return f.MaxLen == 12345; }},
    };
    for (const ExitCase &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        field(1).BCType = 16;
        field(1).BCDirection = 2;
        field(1).MinLen = 5;
        field(1).MaxLen = 50;
        c.edit(*this);
        if (c.leave == Leave::ClickOtherRectangle)
            clickObject(field(1).ObjectHandle);
        else
            clickEntry(1);
        EXPECT_TRUE(c.storedInFirst(field(0)));
        EXPECT_EQ(window->selectedArea(), entry(1));
        // The clicked area is shown, and nothing was written into it.
        EXPECT_EQ(field(1).BCType, 16);
        EXPECT_EQ(field(1).BCDirection, 2);
        EXPECT_EQ(field(1).MinLen, 5);
        EXPECT_EQ(field(1).MaxLen, 50);
        EXPECT_EQ(window->CB_BCType->currentIndex(), 4);
        EXPECT_EQ(window->CB_BCDirection->currentIndex(), 1);
        EXPECT_EQ(window->SE_BCMinWidth->text(), "5");
        EXPECT_EQ(window->SE_BCMaxWidth->text(), "50");
    }
}

TEST_F(AreaSettings, ShowingAnAreaStoresNothingLeavingTheComboDoes)
{
    field(1).BCType = 3; // two flags at once: no position of its own
    field(1).MinLen = 0;
    field(1).MaxLen = 20000;
    clickEntry(1);
    EXPECT_EQ(window->CB_BCType->currentText(), "Code39");
    EXPECT_EQ(window->SE_BCMinWidth->text(), "1");
    EXPECT_EQ(window->SE_BCMaxWidth->text(), "9999");
    EXPECT_EQ(field(1).BCType, 3);
    EXPECT_EQ(field(1).MinLen, 0);
    EXPECT_EQ(field(1).MaxLen, 20000);

    window->CB_BCType->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window->CB_BCType, Qt::Key_Tab);
    EXPECT_EQ(field(1).BCType, 1);
    EXPECT_EQ(field(0).BCType, 1);
}

TEST_F(AreaSettings, SpeedButtonsLeaveTheEditPendingUntilItIsStored)
{
    for (QToolButton *b : {window->SpeedButton1, window->SpeedButton15, window->SpeedButton7, window->SpeedButton13,
                           window->SB_Bearbeite})
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();

    chooseInCombo(window->CB_BCType, 1);
    QTest::mouseClick(window->SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(window->CB_BCType->hasFocus());
    EXPECT_EQ(field(0).BCType, 1);
    window->StorePendingAreaPanelEdit();
    EXPECT_EQ(field(0).BCType, 2);

    typeInto(window->SE_BCMaxWidth, "");
    window->StorePendingAreaPanelEdit();
    EXPECT_EQ(field(0).MaxLen, 999);
    EXPECT_EQ(window->SE_BCMaxWidth->text(), "999");
    typeInto(window->SE_BCMaxWidth, "12345");
    window->StorePendingAreaPanelEdit();
    EXPECT_EQ(field(0).MaxLen, 12345);
    EXPECT_EQ(field(1).MaxLen, 999);

    // Focus elsewhere: nothing is pending, nothing is written.
    clickEntry(1);
    window->CB_BCDirection->setCurrentIndex(2);
    window->StorePendingAreaPanelEdit();
    EXPECT_EQ(field(1).BCDirection, 1);
}

TEST_F(AreaSettings, LeavingThePanelWithoutASelectedAreaStoresNothing)
{
    list()->clearSelection();
    typeInto(window->SE_BCMinWidth, "");
    QTest::keyClick(window->SE_BCMinWidth, Qt::Key_Tab);
    EXPECT_EQ(window->SE_BCMinWidth->text(), "2");
    EXPECT_EQ(field(0).MinLen, 2);
    EXPECT_EQ(field(1).MinLen, 2);
}

// --- the settings dialog ------------------------------------------------------------------

class SettingsDialog : public AreaSettings
{
protected:
    TF_BarcodeSettings *dialog() const { return window->F_BarcodeSettings; }

    // "Settings", then the action inside the open dialog.
    void openSettings(std::function<void(TF_BarcodeSettings *)> action)
    {
        TF_BarcodeSettings *d = dialog();
        bool ran = false;
        whileModal(d, [d, &ran, action = std::move(action)] {
            ran = true;
            action(d);
        });
        QTest::mouseClick(window->Bt_OCRAssistent, Qt::LeftButton);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(d->isVisible());
    }

    static void typeInDialog(QSpinBox *spin, const QString &text)
    {
        spin->setFocus(Qt::TabFocusReason);
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(spin, Qt::Key_Delete);
        else
            QTest::keyClicks(spin, text);
    }

    // Every one of the sixteen values differs from a new area's.
    static AdvancedBarcodeSettings allChanged()
    {
        AdvancedBarcodeSettings s;
        s.Code39StartStop = false;
        s.ExtendedC39 = true;
        s.ConvertUPCE = false;
        s.Numeric = true;
        s.OverSampling = true;
        s.AllowDuplicate = false;
        s.Code39Checksum = true;
        s.ErrorCorrection = true;
        s.ShowCheckDig = true;
        s.SkewTolerance = 4;
        s.Pattern = QStringLiteral("RE-####");
        s.NoiseReduction = -3;
        s.QuietZone = 12;
        s.LineJump = 7;
        s.ColorThreshold = 200;
        s.MinSpaceBar = 3;
        return s;
    }
};

TEST_F(SettingsDialog, OkWritesEveryControlTheUserSetBack)
{
    const AdvancedBarcodeSettings wanted = allChanged();
    openSettings([&](TF_BarcodeSettings *d) {
        EXPECT_EQ(d->windowTitle(), "barcode settings");
        EXPECT_EQ(d->settings(), AdvancedBarcodeSettings::resetValues());
        for (QCheckBox *box : {d->CB_Expect39, d->CB_Extended39, d->CB_ConvertUPC, d->CB_Numeric, d->CB_OverSample,
                               d->CB_Duplicates, d->CB_Checksum, d->CB_Error, d->CB_CheckDigits})
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        d->CB_Skew->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(d->CB_Skew, Qt::Key_Down);
        d->E_Pattern->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(d->E_Pattern, "RE-####");
        typeInDialog(d->SE_Noise, "-3");
        typeInDialog(d->SE_Quiet, "12");
        typeInDialog(d->SE_LineJump, "7");
        typeInDialog(d->SE_ColorThres, "200");
        typeInDialog(d->SE_SpaceBar, "3");
        QTest::mouseClick(d->B_OK, Qt::LeftButton);
    });
    EXPECT_EQ(AdvancedBarcodeSettings::of(field(0)), wanted);
    EXPECT_EQ(AdvancedBarcodeSettings::of(field(1)), AdvancedBarcodeSettings::resetValues());
    // The list's hidden column is not the dialog's business.
    EXPECT_EQ(entry(0)->text(AreaListItem::PatternColumn), "");
}

TEST_F(SettingsDialog, EveryOtherWayOfClosingWritesNothing)
{
    const std::pair<const char *, std::function<void(TF_BarcodeSettings *)>> closes[] = {
        {"Abbrechen", [](TF_BarcodeSettings *d) { QTest::mouseClick(d->B_Abort, Qt::LeftButton); }},
        {"Escape", [](TF_BarcodeSettings *d) { QTest::keyClick(d->E_Pattern, Qt::Key_Escape); }},
        {"close button", [](TF_BarcodeSettings *d) { d->close(); }},
    };
    for (const auto &[how, close] : closes) {
        SCOPED_TRACE(how);
        openSettings([&, close = close](TF_BarcodeSettings *d) {
            d->showSettings(allChanged());
            close(d);
        });
        EXPECT_EQ(AdvancedBarcodeSettings::of(field(0)), AdvancedBarcodeSettings::resetValues());
    }
}

TEST_F(SettingsDialog, ResetAskedAndAnswered)
{
    allChanged().writeTo(field(0));

    // Ja, then Abbrechen: the dialog was reset, the area keeps all it had.
    boxes.queueAnswer(MessageAnswer::Yes);
    openSettings([](TF_BarcodeSettings *d) {
        QTest::mouseClick(d->B_Reset, Qt::LeftButton);
        EXPECT_EQ(d->settings(), AdvancedBarcodeSettings::resetValues());
        QTest::mouseClick(d->B_Abort, Qt::LeftButton);
    });
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().kind, MessageKind::ConfirmYesNo);
    EXPECT_EQ(boxes.shown().first().text, "Die Einstellungen werden zurück gesetzt.\r\n\r\nSind Sie sicher?");
    EXPECT_EQ(boxes.shown().first().defaultButton, "&Nein");
    EXPECT_EQ(AdvancedBarcodeSettings::of(field(0)), allChanged());

    // Nein: the controls stay; OK then writes them unchanged.
    boxes.queueAnswer(MessageAnswer::No);
    openSettings([](TF_BarcodeSettings *d) {
        QTest::mouseClick(d->B_Reset, Qt::LeftButton);
        EXPECT_EQ(d->settings(), allChanged());
        QTest::mouseClick(d->B_OK, Qt::LeftButton);
    });
    EXPECT_EQ(AdvancedBarcodeSettings::of(field(0)), allChanged());

    // Ja, then OK: the area gets a new area's settings, type and lengths stay.
    field(0).BCType = 8;
    field(0).MinLen = 4;
    boxes.queueAnswer(MessageAnswer::Yes);
    openSettings([](TF_BarcodeSettings *d) {
        QTest::mouseClick(d->B_Reset, Qt::LeftButton);
        QTest::mouseClick(d->B_OK, Qt::LeftButton);
    });
    EXPECT_EQ(AdvancedBarcodeSettings::of(field(0)), AdvancedBarcodeSettings::resetValues());
    EXPECT_EQ(field(0).BCType, 8);
    EXPECT_EQ(field(0).MinLen, 4);
}

TEST_F(SettingsDialog, SpinTextsThatAreNoIntegersBecomeTheResetValues)
{
    AdvancedBarcodeSettings stored = allChanged();
    stored.QuietZone = 12000; // shows as 9999
    stored.writeTo(field(0));

    // Left with Tab: the exit handler repairs the text.
    openSettings([](TF_BarcodeSettings *d) {
        EXPECT_EQ(d->SE_Quiet->text(), "9999");
        typeInDialog(d->SE_ColorThres, "-");
        QTest::keyClick(d->SE_ColorThres, Qt::Key_Tab);
        EXPECT_EQ(d->SE_ColorThres->text(), "128");
        typeInDialog(d->SE_Noise, "");
        QTest::keyClick(d->SE_Noise, Qt::Key_Tab);
        EXPECT_EQ(d->SE_Noise->text(), "0");
        QTest::mouseClick(d->B_OK, Qt::LeftButton);
    });
    EXPECT_EQ(field(0).QuietZone, 9999);
    EXPECT_EQ(field(0).ColorThreshold, 128);
    EXPECT_EQ(field(0).NoiseReduction, 0);

    // Closed with Enter while still typing: no exit ran, the text is read as
    // its field's reset value instead of the lower bound.
    const std::pair<TSpinEdit *TF_BarcodeSettings::*, std::int32_t TOCRField::*> spins[] = {
        {&TF_BarcodeSettings::SE_Noise, &TOCRField::NoiseReduction},
        {&TF_BarcodeSettings::SE_Quiet, &TOCRField::QuietZone},
        {&TF_BarcodeSettings::SE_LineJump, &TOCRField::LineJump},
        {&TF_BarcodeSettings::SE_ColorThres, &TOCRField::ColorThreshold},
        {&TF_BarcodeSettings::SE_SpaceBar, &TOCRField::MinSpaceBar},
    };
    const TOCRField fresh(0);
    for (const auto &[spin, member] : spins) {
        allChanged().writeTo(field(0));
        openSettings([spin = spin](TF_BarcodeSettings *d) {
            typeInDialog(d->*spin, "");
            QTest::keyClick(d->*spin, Qt::Key_Return);
        });
        EXPECT_EQ(field(0).*member, fresh.*member);
        EXPECT_EQ(field(0).Pattern, "RE-####");
    }
}

TEST_F(SettingsDialog, APatternOfAnyLengthComesBackWhole)
{
    // Longer than a line edit holds by default (32767 characters).
    const QString pattern = QString(40000, u'#') + QStringLiteral("|RE-*");
    field(0).Pattern = pattern;
    openSettings([](TF_BarcodeSettings *d) {
        d->E_Pattern->setFocus(Qt::TabFocusReason);
        QTest::keyClick(d->E_Pattern, Qt::Key_End);
        QTest::keyClicks(d->E_Pattern, "|X");
        QTest::keyClick(d->E_Pattern, Qt::Key_Return);
    });
    EXPECT_EQ(field(0).Pattern, pattern + QStringLiteral("|X"));
}

TEST_F(SettingsDialog, WithoutASelectedAreaTheDialogStaysClosed)
{
    list()->clearSelection();
    QTest::mouseClick(window->Bt_OCRAssistent, Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{"Es ist kein Barcodebereich selektiert"});
    EXPECT_FALSE(dialog()->isVisible());
}

// --- naming -------------------------------------------------------------------------------

struct RenameCase
{
    const char *typed; // nullptr: confirm the text as it stands
    bool accepted;
};

class Naming : public AreaSettings
{
protected:
    // "Barcodebereich benennen", then inside the dialog.
    void rename(std::function<void(TForm1 *)> action)
    {
        TForm1 *d = window->Form1;
        bool ran = false;
        whileModal(d, [this, d, &ran, action = std::move(action)] {
            ran = true;
            EXPECT_FALSE(list()->isEnabled());
            action(d);
        });
        QTest::mouseClick(window->SB_Bearbeite, Qt::LeftButton);
        EXPECT_TRUE(ran);
        EXPECT_TRUE(list()->isEnabled());
    }
};

TEST_F(Naming, NewNamesAcceptedAndRefused)
{
    const RenameCase cases[] = {
        {nullptr, false},
        {"2 Barcode-Bereich", false},
        {"2 barcode-bereich", true},
        {"Element_", false},
        {"Element_Rechnung", false},
        {"element_Rechnung", true},
        {"Das Element_", true},
        {"<kein Barcode-Feld>", false},
        {" <kein Barcode-Feld>", true},
        {"", true},
        {"   ", true},
        {" Rechnung ", true},
        {"Größe", true},
    };
    for (const RenameCase &c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "(unchanged)");
        SetUp();
        window->SelectAreaInCombo(combo(1), 1);
        rename([&](TForm1 *d) {
            EXPECT_EQ(d->windowTitle(), "Name bearbeiten");
            EXPECT_EQ(d->Edit1->text(), "1 Barcode-Bereich");
            EXPECT_EQ(d->Edit1->selectedText(), "1 Barcode-Bereich");
            EXPECT_TRUE(d->Edit1->hasFocus());
            if (c.typed && !*c.typed)
                QTest::keyClick(d->Edit1, Qt::Key_Delete);
            else if (c.typed)
                typeText(d->Edit1, QString::fromUtf8(c.typed));
            QTest::keyClick(d->Edit1, Qt::Key_Return);
        });
        const QString name = c.accepted ? QString::fromUtf8(c.typed) : QStringLiteral("1 Barcode-Bereich");
        EXPECT_EQ(entry(0)->Caption(), name);
        EXPECT_EQ(field(0).Name, name);
        EXPECT_EQ(combo(0)->topNode(1)->text(), name);
        EXPECT_EQ(combo(1)->currentText(), name);
        EXPECT_EQ(combo(0)->currentText(), "<kein Barcode-Feld>");
        EXPECT_EQ(entry(1)->Caption(), "2 Barcode-Bereich");
        EXPECT_EQ(boxes.texts(), c.accepted ? QStringList() : QStringList{"Bitte vergeben Sie nur eindeutigen Namen!"});
        // Accepted names leave the dialog empty; refused ones leave it as typed.
        EXPECT_EQ(window->Form1->Edit1->text().isEmpty(), c.accepted);
        boxes.clear();
    }
}

TEST_F(Naming, CancelChangesNothing)
{
    rename([](TForm1 *d) {
        QTest::keyClicks(d->Edit1, "Rechnung");
        QTest::mouseClick(d->BitBtn2, Qt::LeftButton);
    });
    EXPECT_EQ(captions(), QStringList({"1 Barcode-Bereich", "2 Barcode-Bereich"}));
    EXPECT_EQ(field(0).Name, "1 Barcode-Bereich");
    EXPECT_TRUE(boxes.shown().isEmpty());

    // The next renaming starts from the then selected entry's caption.
    clickEntry(1);
    rename([](TForm1 *d) {
        EXPECT_EQ(d->Edit1->text(), "2 Barcode-Bereich");
        QTest::keyClick(d->Edit1, Qt::Key_Escape);
    });
}

TEST_F(Naming, WithoutASelectedEntryTheDialogIsNotShown)
{
    list()->clearSelection();
    QTest::mouseClick(window->SB_Bearbeite, Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{"Kein Objekt ausgewählt!"});
    EXPECT_FALSE(window->Form1->isVisible());
    EXPECT_TRUE(list()->isEnabled());
}

} // namespace
