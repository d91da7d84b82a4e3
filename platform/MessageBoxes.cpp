#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

MessageBoxes::Hook &currentHook()
{
    static MessageBoxes::Hook hook;
    return hook;
}

const QString OkText = QStringLiteral("OK");
const QString CancelText = QStringLiteral("Abbrechen");
const QString YesText = QStringLiteral("&Ja");
const QString NoText = QStringLiteral("&Nein");

MessageAnswer answerFor(const QString &button)
{
    if (button == OkText)
        return MessageAnswer::Ok;
    if (button == CancelText)
        return MessageAnswer::Cancel;
    if (button == YesText)
        return MessageAnswer::Yes;
    if (button == NoText)
        return MessageAnswer::No;
    return MessageAnswer::Closed;
}

} // namespace

ShownMessage MessageBoxes::describe(MessageKind kind, const QString &text)
{
    ShownMessage m;
    m.kind = kind;
    m.text = text;
    switch (kind) {
    case MessageKind::Plain:
        m.caption = ApplicationTitle;
        m.buttons = {OkText};
        break;
    case MessageKind::Error:
        m.caption = QStringLiteral("Fehler");
        m.buttons = {OkText};
        break;
    case MessageKind::Information:
        m.caption = QStringLiteral("Informationen");
        m.buttons = {OkText};
        break;
    case MessageKind::ConfirmOkCancel:
        m.caption = QStringLiteral("Bestätigen");
        m.buttons = {OkText, CancelText};
        break;
    case MessageKind::ConfirmYesNo:
        m.caption = QStringLiteral("Bestätigen");
        m.buttons = {YesText, NoText};
        m.defaultButton = NoText;
        break;
    }
    if (m.defaultButton.isEmpty())
        m.defaultButton = m.buttons.first();
    return m;
}

void MessageBoxes::setHook(Hook hook)
{
    currentHook() = std::move(hook);
}

void MessageBoxes::showMessage(const QString &text)
{
    show(MessageKind::Plain, text);
}

void MessageBoxes::showError(const QString &text)
{
    show(MessageKind::Error, text);
}

void MessageBoxes::showInformation(const QString &text)
{
    show(MessageKind::Information, text);
}

MessageAnswer MessageBoxes::confirmOkCancel(const QString &text)
{
    return show(MessageKind::ConfirmOkCancel, text);
}

MessageAnswer MessageBoxes::confirmYesNo(const QString &text)
{
    return show(MessageKind::ConfirmYesNo, text);
}

MessageAnswer MessageBoxes::show(MessageKind kind, const QString &text)
{
    const ShownMessage message = describe(kind, text);
    if (currentHook())
        return currentHook()(message);
    return runModal(message);
}

MessageAnswer MessageBoxes::runModal(const ShownMessage &message)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.caption);
    box.setText(message.text);
    switch (message.kind) {
    case MessageKind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::ConfirmOkCancel:
    case MessageKind::ConfirmYesNo:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QPushButton *escapeButton = nullptr;
    for (const QString &caption : message.buttons) {
        const MessageAnswer answer = answerFor(caption);
        const auto role = (answer == MessageAnswer::Cancel || answer == MessageAnswer::No)
                              ? QMessageBox::RejectRole
                              : QMessageBox::AcceptRole;
        QPushButton *button = box.addButton(caption, role);
        if (caption == message.defaultButton)
            box.setDefaultButton(button);
        if (role == QMessageBox::RejectRole)
            escapeButton = button;
    }
    // Escape and the close button answer a notice with its one button and a
    // question with its refusing button, never with the accepting one.
    if (message.buttons.size() == 1)
        box.setEscapeButton(box.buttons().constFirst());
    else if (escapeButton)
        box.setEscapeButton(escapeButton);
    box.exec();
    auto *clicked = qobject_cast<QPushButton *>(box.clickedButton());
    if (!clicked)
        return MessageAnswer::Closed;
    return answerFor(clicked->text());
}
