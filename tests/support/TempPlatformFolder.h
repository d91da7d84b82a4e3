#pragma once

// Points the platform folder ($BCE_PLATFORM_DIR) at a fresh temporary folder
// for the lifetime of the object and puts the earlier setting back afterwards.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

class TempPlatformFolder
{
public:
    TempPlatformFolder()
        : m_hadPrevious(qEnvironmentVariableIsSet("BCE_PLATFORM_DIR")), m_previous(qgetenv("BCE_PLATFORM_DIR"))
    {
        qputenv("BCE_PLATFORM_DIR", m_dir.path().toLocal8Bit());
    }
    ~TempPlatformFolder()
    {
        if (m_hadPrevious)
            qputenv("BCE_PLATFORM_DIR", m_previous);
        else
            qunsetenv("BCE_PLATFORM_DIR");
    }
    TempPlatformFolder(const TempPlatformFolder &) = delete;
    TempPlatformFolder &operator=(const TempPlatformFolder &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    // Writes (or, for a null content, removes) a file in the folder.
    void write(const QString &name, const QByteArray &content) const
    {
        QFile f(filePath(name));
        if (content.isNull()) {
            f.remove();
            return;
        }
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(content);
    }

private:
    QTemporaryDir m_dir;
    bool m_hadPrevious;
    QByteArray m_previous;
};
