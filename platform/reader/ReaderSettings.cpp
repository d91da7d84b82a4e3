#include "ReaderSettings.h"

#include "AppError.h"
#include "StrictInt.h"

#include <QJsonValue>
#include <algorithm>
#include <array>

namespace {

enum class Kind { Int, Bool, Text };

struct Member
{
    const char *name;
    Kind kind;
    std::int32_t ReaderSettings::*intMember = nullptr;
    bool ReaderSettings::*boolMember = nullptr;
    QString ReaderSettings::*textMember = nullptr;
};

Member intMember(const char *n, std::int32_t ReaderSettings::*m) { return {n, Kind::Int, m, nullptr, nullptr}; }
Member boolMember(const char *n, bool ReaderSettings::*m) { return {n, Kind::Bool, nullptr, m, nullptr}; }
Member textMember(const char *n, QString ReaderSettings::*m) { return {n, Kind::Text, nullptr, nullptr, m}; }

const std::array<Member, 20> &members()
{
    static const std::array<Member, 20> table = {
        intMember("BarcodeTypes", &ReaderSettings::BarcodeTypes),
        intMember("Directions", &ReaderSettings::Directions),
        intMember("MinLength", &ReaderSettings::MinLength),
        intMember("MaxLength", &ReaderSettings::MaxLength),
        boolMember("AllowDuplicateValues", &ReaderSettings::AllowDuplicateValues),
        boolMember("Code39Checksum", &ReaderSettings::Code39Checksum),
        boolMember("Code39StartStop", &ReaderSettings::Code39StartStop),
        intMember("ColorThreshold", &ReaderSettings::ColorThreshold),
        boolMember("ConvertUPCEToEAN13", &ReaderSettings::ConvertUPCEToEAN13),
        boolMember("ErrorCorrection", &ReaderSettings::ErrorCorrection),
        boolMember("ExtendedCode39", &ReaderSettings::ExtendedCode39),
        intMember("LineJump", &ReaderSettings::LineJump),
        intMember("MinSpaceBarWidth", &ReaderSettings::MinSpaceBarWidth),
        intMember("NoiseReduction", &ReaderSettings::NoiseReduction),
        textMember("Pattern", &ReaderSettings::Pattern),
        intMember("QuietZoneSize", &ReaderSettings::QuietZoneSize),
        boolMember("ReadNumeric", &ReaderSettings::ReadNumeric),
        intMember("SkewTolerance", &ReaderSettings::SkewTolerance),
        boolMember("ShowCheckDigit", &ReaderSettings::ShowCheckDigit),
        boolMember("UseOverSampling", &ReaderSettings::UseOverSampling),
    };
    return table;
}

const Member &findMember(const QString &name)
{
    for (const Member &m : members())
        if (name == QLatin1String(m.name))
            return m;
    throw AppError(QStringLiteral("Unbekannte Einstellung des Barcode-Lesers: \"%1\"").arg(name));
}

bool parseBool(const QString &name, const QString &value)
{
    if (value == QLatin1String("true") || value == QLatin1String("1") || value == QLatin1String("-1"))
        return true;
    if (value == QLatin1String("false") || value == QLatin1String("0"))
        return false;
    throw AppError(QStringLiteral("Die Einstellung %1 erwartet true oder false, nicht \"%2\".").arg(name, value));
}

} // namespace

QStringList ReaderSettings::names()
{
    QStringList result;
    for (const Member &m : members())
        result << QLatin1String(m.name);
    return result;
}

void ReaderSettings::set(const QString &name, const QString &value)
{
    const Member &m = findMember(name);
    switch (m.kind) {
    case Kind::Int: {
        const auto v = parseStrictInt32(value);
        if (!v)
            throw AppError(QStringLiteral("Die Einstellung %1 erwartet eine ganze Zahl, nicht \"%2\".").arg(name, value));
        this->*m.intMember = *v;
        break;
    }
    case Kind::Bool:
        this->*m.boolMember = parseBool(name, value);
        break;
    case Kind::Text:
        this->*m.textMember = value;
        break;
    }
}

QString ReaderSettings::get(const QString &name) const
{
    const Member &m = findMember(name);
    switch (m.kind) {
    case Kind::Int:
        return QString::number(this->*m.intMember);
    case Kind::Bool:
        return (this->*m.boolMember) ? QStringLiteral("true") : QStringLiteral("false");
    case Kind::Text:
        break;
    }
    return this->*m.textMember;
}

double ReaderSettings::skewLimitDegrees() const
{
    // The settings dialog lists "<5", "<13", ... "<45": eight degrees a step.
    const int step = std::clamp(SkewTolerance, 0, 5);
    return 5.0 + 8.0 * step;
}

QJsonObject ReaderSettings::toJson() const
{
    QJsonObject json;
    for (const Member &m : members()) {
        switch (m.kind) {
        case Kind::Int:
            json.insert(QLatin1String(m.name), this->*m.intMember);
            break;
        case Kind::Bool:
            json.insert(QLatin1String(m.name), this->*m.boolMember);
            break;
        case Kind::Text:
            json.insert(QLatin1String(m.name), this->*m.textMember);
            break;
        }
    }
    return json;
}

ReaderSettings ReaderSettings::fromJson(const QJsonObject &json)
{
    ReaderSettings s;
    for (const Member &m : members()) {
        const QJsonValue v = json.value(QLatin1String(m.name));
        if (v.isUndefined())
            continue;
        const bool ok = (m.kind == Kind::Int && v.isDouble()) || (m.kind == Kind::Bool && v.isBool())
                        || (m.kind == Kind::Text && v.isString());
        if (!ok)
            throw AppError(QStringLiteral("Ungültiger Wert der Einstellung %1.").arg(QLatin1String(m.name)));
        switch (m.kind) {
        case Kind::Int: {
            const double d = v.toDouble();
            if (d < INT32_MIN || d > INT32_MAX || d != static_cast<double>(static_cast<std::int64_t>(d)))
                throw AppError(QStringLiteral("Ungültiger Wert der Einstellung %1.").arg(QLatin1String(m.name)));
            s.*m.intMember = static_cast<std::int32_t>(d);
            break;
        }
        case Kind::Bool:
            s.*m.boolMember = v.toBool();
            break;
        case Kind::Text:
            s.*m.textMember = v.toString();
            break;
        }
    }
    return s;
}
