#include "Application.h"

#include "AppError.h"
#include "MessageBoxes.h"

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) {}

TApplication *TApplication::instance()
{
    return qobject_cast<TApplication *>(QCoreApplication::instance());
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleException(receiver, std::current_exception());
        return false;
    }
}

void TApplication::handleException(QObject *receiver, std::exception_ptr error)
{
    // A handler that throws again must not take the program down either.
    try {
        if (m_onException) {
            m_onException(receiver, error);
            return;
        }
        try {
            std::rethrow_exception(error);
        } catch (const AppError &e) {
            MessageBoxes::showMessage(e.message());
        } catch (const std::exception &e) {
            MessageBoxes::showMessage(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            MessageBoxes::showMessage(QStringLiteral("Unbekannter Fehler"));
        }
    } catch (...) {
    }
}
