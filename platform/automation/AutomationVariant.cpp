#include "AutomationVariant.h"

#include "StrictInt.h"

#include <cmath>
#include <limits>

namespace automation {

std::optional<std::int32_t> variantToInt32(const QVariant &v)
{
    if (!v.isValid())
        return 0;
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        return v.toBool() ? -1 : 0;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qlonglong n = v.toLongLong();
        if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        return static_cast<std::int32_t>(n);
    }
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong n = v.toULongLong();
        if (n > static_cast<qulonglong>(std::numeric_limits<std::int32_t>::max()))
            return std::nullopt;
        return static_cast<std::int32_t>(n);
    }
    case QMetaType::Float:
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (!std::isfinite(d))
            return std::nullopt;
        // nearbyint follows the default rounding mode, round half to even.
        const double r = std::nearbyint(d);
        if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        return static_cast<std::int32_t>(r);
    }
    case QMetaType::QString:
        return parseStrictInt32(v.toString());
    default:
        return std::nullopt;
    }
}

std::optional<QString> variantToString(const QVariant &v)
{
    if (!v.isValid())
        return QString();
    switch (v.metaType().id()) {
    case QMetaType::QString:
        return v.toString();
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QString::number(v.toLongLong());
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QString::number(v.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return std::nullopt;
    }
}

} // namespace automation
