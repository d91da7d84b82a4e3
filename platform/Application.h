#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object. Every event goes through notify(), so this is the
// one place where an exception that escaped a handler can be stopped before it
// unwinds through the event loop and ends the program.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    // Receives the object whose event raised the exception, and the exception.
    using ExceptionHandler = std::function<void(QObject *sender, std::exception_ptr error)>;

    TApplication(int &argc, char **argv);

    static TApplication *instance();

    // The title shown in notice boxes and the task bar.
    QString Title() const { return applicationName(); }
    void setTitle(const QString &title) { setApplicationName(title); }

    // Without a handler an escaped exception is shown in a plain box, so that
    // it is never lost; the main window installs one that discards it.
    void setOnException(ExceptionHandler handler) { m_onException = std::move(handler); }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    void handleException(QObject *receiver, std::exception_ptr error);

    ExceptionHandler m_onException;
};
