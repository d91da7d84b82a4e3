#pragma once

#include <QSpinBox>
#include <cstdint>
#include <optional>

// A spin field as the area panel and the settings dialog use it: the user may
// type any integer, in or out of range, and pasted text is taken as it is.
// When the field loses the focus to another control of its window, exited()
// runs first, so that a handler reads the text as typed, and only then does
// the field force what it shows into its range. Losing the focus because the
// whole window is deactivated (a message box, another program) is no exit:
// the edit goes on when the window comes back.
class TSpinEdit : public QSpinBox
{
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    // The text as a strict 32-bit integer; nothing for an empty text, a lone
    // sign, a fraction, blanks and the like.
    std::optional<std::int32_t> integerText() const;
    // The text's integer, or fallback when the text is none.
    std::int32_t integerOr(std::int32_t fallback) const;
    // The exit handlers' repair: a text that is no integer becomes fallback.
    // Returns the integer the field holds afterwards, before any range forcing.
    std::int32_t repairText(std::int32_t fallback);

    // Shows value forced into the range, as setting the field's value does.
    void forceIntoRange();

signals:
    void exited();

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    void fixup(QString &input) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
