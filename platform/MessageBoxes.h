#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Every box the tool shows goes through here, so that the captions and buttons
// stay the same everywhere and tests can answer the boxes instead of a user.

enum class MessageKind
{
    Plain,            // caption: the application title, button "OK"
    Error,            // caption "Fehler", button "OK"
    Information,      // caption "Informationen", button "OK"
    ConfirmOkCancel,  // caption "Bestätigen", "OK" (default) and "Abbrechen"
    ConfirmYesNo,     // caption "Bestätigen", "&Ja" and "&Nein" (default)
};

enum class MessageAnswer
{
    Ok,
    Cancel,
    Yes,
    No,
    Closed, // Escape or the box's close button
};

struct ShownMessage
{
    MessageKind kind = MessageKind::Plain;
    QString caption;
    QString text;
    QStringList buttons;
    QString defaultButton;
};

class MessageBoxes
{
public:
    using Hook = std::function<MessageAnswer(const ShownMessage &)>;

    static inline const QString ApplicationTitle = QStringLiteral(">merivant< tessalon Barcodes");

    static void showMessage(const QString &text);
    static void showError(const QString &text);
    static void showInformation(const QString &text);
    // The answer is Ok, Cancel or Closed.
    static MessageAnswer confirmOkCancel(const QString &text);
    // The answer is Yes, No or Closed.
    static MessageAnswer confirmYesNo(const QString &text);

    // What the box of a kind would look like; the hook receives exactly this.
    static ShownMessage describe(MessageKind kind, const QString &text);

    // While a hook is installed no modal box appears; the hook's answer is
    // returned as if the user had given it. An empty hook restores real boxes.
    static void setHook(Hook hook);

private:
    static MessageAnswer show(MessageKind kind, const QString &text);
    static MessageAnswer runModal(const ShownMessage &message);
};
