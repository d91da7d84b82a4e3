#pragma once

#include <QString>
#include <cstdint>

// The definition of one barcode area: the handle of its image object, its name,
// its coordinate text and the reader settings, each named after the BCAreas
// column that stores it.
class TOCRField
{
public:
    // Number becomes the object handle and the default name; the creator of a
    // new area passes the handle of its rectangle, the loader the row number.
    explicit TOCRField(std::int32_t Number);

    std::int32_t ObjectHandle;
    QString Name;
    std::int32_t BCType = 1;
    std::int32_t BCDirection = 1;
    std::int32_t MinLen = 2;
    std::int32_t MaxLen = 999;
    bool Code39StartStop = true;
    bool ExtendedC39 = false;
    bool ConvertUPCE = true;
    bool Numeric = false;
    bool OverSampling = false;
    bool AllowDuplicate = true;
    bool Code39Checksum = false;
    bool ErrorCorrection = false;
    bool ShowCheckDig = false;
    std::int32_t SkewTolerance = 0; // position 0..5 in "<5" .. "<45"
    QString BCArea;
    QString Pattern;
    std::int32_t NoiseReduction = 0;
    std::int32_t QuietZone = 10;
    std::int32_t LineJump = 5;
    std::int32_t ColorThreshold = 128;
    std::int32_t MinSpaceBar = 1;

    static QString defaultName(std::int32_t Number);
};
