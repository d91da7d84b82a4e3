#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>

// The reader's settings, one member per setting name the reader component takes.
// The initial values are the component's own defaults: what applies to a setting
// nobody put. They are chosen for ordinary office scans (300 dpi, slightly
// skewed, check digits printed) and differ from an area's defaults where an
// area's stricter value would lose codes on such pages.
struct ReaderSettings
{
    std::int32_t BarcodeTypes = 1919; // every type but patch codes
    std::int32_t Directions = 15;     // all four reading directions
    std::int32_t MinLength = 1;
    std::int32_t MaxLength = 999;
    bool AllowDuplicateValues = true;
    bool Code39Checksum = false;
    bool Code39StartStop = true;
    std::int32_t ColorThreshold = 192;
    bool ConvertUPCEToEAN13 = false;
    bool ErrorCorrection = false;
    bool ExtendedCode39 = false;
    std::int32_t LineJump = 2;
    std::int32_t MinSpaceBarWidth = 1;
    std::int32_t NoiseReduction = 0;
    QString Pattern;
    std::int32_t QuietZoneSize = 5;
    bool ReadNumeric = false;
    std::int32_t SkewTolerance = 1; // position 0..5 in "<5" .. "<45"
    bool ShowCheckDigit = true;
    bool UseOverSampling = false;

    // The setting names in the order an area's settings are put.
    static QStringList names();

    // Sets one setting from its text: integers strictly, Booleans as true/false
    // or 1/0 (also -1, the automation value of True). Raises AppError for an
    // unknown name or a value of the wrong kind.
    void set(const QString &name, const QString &value);
    // The value as text, in the form set() takes.
    QString get(const QString &name) const;

    // The largest tilt off the reading axis that a code may have, in degrees.
    double skewLimitDegrees() const;

    QJsonObject toJson() const;
    // Missing members keep their defaults; ill-typed members raise AppError.
    static ReaderSettings fromJson(const QJsonObject &json);

    friend bool operator==(const ReaderSettings &, const ReaderSettings &) = default;
};
