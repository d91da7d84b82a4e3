#include "PlatformFolder.h"

#include <QDir>

QString platformFolder()
{
    const QString dir = qEnvironmentVariable("BCE_PLATFORM_DIR");
    if (!dir.isEmpty())
        return dir;
    return QDir::homePath() + QStringLiteral("/.config/barcode-erweiterung/platform");
}

QString platformFile(const QString &fileName)
{
    return QDir(platformFolder()).filePath(fileName);
}
