#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the tool. Commands catch it once and show
// message() in their box, so the text must make sense to a user.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

// A text that should have been a number (or a list too short to hold one).
class ConversionError : public AppError
{
public:
    using AppError::AppError;
};
