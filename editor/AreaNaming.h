#pragma once

#include <QString>
#include <QStringList>

// The rules by which areas are named. Captions are the area list's entry
// captions in list order; every comparison is exact and case-sensitive, and
// no name is trimmed.

inline const QString AreaNameSuffix = QStringLiteral(" Barcode-Bereich");
inline const QString ReservedNamePrefix = QStringLiteral("Element_");
inline const QString NoAreaNodeText = QStringLiteral("<kein Barcode-Feld>");

bool areaNameTaken(const QStringList &captions, const QString &name);

// n + " Barcode-Bereich" for the first n, counting up from the number of
// entries plus one, that no entry carries yet.
QString nextFreeAreaName(const QStringList &captions);

// A new name for an existing area: refused when any entry (the renamed one
// included) carries it already, when it begins with the reserved "Element_",
// or when it is the index-field combos' placeholder "<kein Barcode-Feld>".
bool isAcceptableAreaName(const QStringList &captions, const QString &name);
