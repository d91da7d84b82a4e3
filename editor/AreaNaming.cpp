#include "AreaNaming.h"

bool areaNameTaken(const QStringList &captions, const QString &name)
{
    return captions.contains(name, Qt::CaseSensitive);
}

QString nextFreeAreaName(const QStringList &captions)
{
    // At most captions.size() numbers can be taken, so this ends within
    // captions.size() + 1 steps.
    qsizetype n = captions.size() + 1;
    while (areaNameTaken(captions, QString::number(n) + AreaNameSuffix))
        ++n;
    return QString::number(n) + AreaNameSuffix;
}

bool isAcceptableAreaName(const QStringList &captions, const QString &name)
{
    if (areaNameTaken(captions, name))
        return false;
    if (name.startsWith(ReservedNamePrefix, Qt::CaseSensitive))
        return false;
    return name != NoAreaNodeText;
}
