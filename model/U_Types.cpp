#include "U_Types.h"

TOCRField::TOCRField(std::int32_t Number) : ObjectHandle(Number), Name(defaultName(Number)) {}

QString TOCRField::defaultName(std::int32_t Number)
{
    return QString::number(Number) + QStringLiteral(" Barcode-Bereich");
}
