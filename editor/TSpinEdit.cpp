#include "TSpinEdit.h"

#include "StrictInt.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>

namespace {

bool isTypeable(QChar c, const QLocale &locale)
{
    return c.isDigit() || c == u'+' || c == u'-' || c == locale.decimalPoint().front();
}

} // namespace

TSpinEdit::TSpinEdit(QWidget *parent) : QSpinBox(parent)
{
    // Stepping works from the value last shown; typing never moves it.
    setKeyboardTracking(false);
}

std::optional<std::int32_t> TSpinEdit::integerText() const
{
    return parseStrictInt32(text());
}

std::int32_t TSpinEdit::integerOr(std::int32_t fallback) const
{
    return integerText().value_or(fallback);
}

std::int32_t TSpinEdit::repairText(std::int32_t fallback)
{
    if (const auto v = integerText())
        return *v;
    setValue(fallback);
    // A fallback outside the range shows as the bound, yet the handler's
    // value is the fallback itself.
    return fallback;
}

void TSpinEdit::forceIntoRange()
{
    const auto v = integerText();
    const int shown = v ? std::clamp<int>(*v, minimum(), maximum()) : value();
    setValue(shown);
    // setValue leaves the text alone when the value did not change.
    if (lineEdit()->text() != textFromValue(shown))
        lineEdit()->setText(textFromValue(shown));
}

QValidator::State TSpinEdit::validate(QString &input, int &) const
{
    const auto v = parseStrictInt32(input);
    if (v && *v >= minimum() && *v <= maximum())
        return QValidator::Acceptable;
    // Anything else may stand while the user types or pastes; the exit
    // handler and the range forcing deal with it when the field is left.
    return QValidator::Intermediate;
}

int TSpinEdit::valueFromText(const QString &text) const
{
    const auto v = parseStrictInt32(text);
    return v ? std::clamp<int>(*v, minimum(), maximum()) : value();
}

void TSpinEdit::fixup(QString &) const
{
}

void TSpinEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Leave the text as typed and let the dialog's default button act.
        event->ignore();
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front().isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const QLocale locale = this->locale();
        for (QChar c : typed) {
            if (!isTypeable(c, locale)) {
                event->accept();
                return;
            }
        }
    }
    QSpinBox::keyPressEvent(event);
}

void TSpinEdit::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        // Only the line edit's cursor goes; the text stays as typed.
        QCoreApplication::sendEvent(lineEdit(), event);
        QWidget::focusOutEvent(event);
        return;
    }
    emit exited();
    forceIntoRange();
    QSpinBox::focusOutEvent(event);
}
