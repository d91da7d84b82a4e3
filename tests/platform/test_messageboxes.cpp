#include "MessageBoxRecorder.h"
#include "MessageBoxes.h"
#include "QtPrinters.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct BoxCase
{
    MessageKind kind;
    const char *caption;
    QStringList buttons;
    const char *defaultButton;
};

TEST(MessageBoxes, EachKindHasItsCaptionAndButtons)
{
    const BoxCase cases[] = {
        {MessageKind::Plain, ">merivant< tessalon Barcodes", {"OK"}, "OK"},
        {MessageKind::Error, "Fehler", {"OK"}, "OK"},
        {MessageKind::Information, "Informationen", {"OK"}, "OK"},
        {MessageKind::ConfirmOkCancel, "Bestätigen", {"OK", "Abbrechen"}, "OK"},
        {MessageKind::ConfirmYesNo, "Bestätigen", {"&Ja", "&Nein"}, "&Nein"},
    };
    for (const BoxCase &c : cases) {
        const ShownMessage m = MessageBoxes::describe(c.kind, "Text");
        EXPECT_EQ(m.caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(m.buttons, c.buttons);
        EXPECT_EQ(m.defaultButton, c.defaultButton);
    }
}

TEST(MessageBoxes, RecorderAnswersAndRecordsEveryBox)
{
    MessageBoxRecorder boxes;
    boxes.queueAnswer(MessageAnswer::Cancel);

    EXPECT_EQ(MessageBoxes::confirmOkCancel("Bitte starten Sie ELO und melden Sie sich an."), MessageAnswer::Cancel);
    EXPECT_EQ(MessageBoxes::confirmYesNo("Sind Sie sicher?"), MessageAnswer::No); // the default
    MessageBoxes::showError("Die Datenbank konnte nicht geöffnet werden!");
    MessageBoxes::showMessage("Kein Dokument in der Postbox vorhanden!");
    MessageBoxes::showInformation("Gespeichert");

    ASSERT_EQ(boxes.shown().size(), 5);
    EXPECT_EQ(boxes.shown()[0].kind, MessageKind::ConfirmOkCancel);
    EXPECT_EQ(boxes.shown()[2].caption, "Fehler");
    EXPECT_EQ(boxes.shown()[3].caption, ">merivant< tessalon Barcodes");
    EXPECT_EQ(boxes.texts()[2], "Die Datenbank konnte nicht geöffnet werden!");
}

// The real box, answered by pressing keys on it as a user would.
MessageAnswer answerRealBox(MessageKind kind, int key)
{
    QTimer::singleShot(0, [key] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
    });
    if (kind == MessageKind::ConfirmYesNo)
        return MessageBoxes::confirmYesNo("Sind Sie sicher?");
    return MessageBoxes::confirmOkCancel("Weiter?");
}

TEST(MessageBoxes, RealBoxAnswersFromItsButtons)
{
    EXPECT_EQ(answerRealBox(MessageKind::ConfirmYesNo, Qt::Key_Return), MessageAnswer::No);
    EXPECT_EQ(answerRealBox(MessageKind::ConfirmOkCancel, Qt::Key_Return), MessageAnswer::Ok);
    EXPECT_EQ(answerRealBox(MessageKind::ConfirmOkCancel, Qt::Key_Escape), MessageAnswer::Cancel);
    EXPECT_EQ(answerRealBox(MessageKind::ConfirmYesNo, Qt::Key_J), MessageAnswer::Yes);
}

} // namespace
