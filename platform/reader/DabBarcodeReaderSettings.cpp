#include "DabBarcodeReaderSettings.h"

#include "AppError.h"
#include "automation/AutomationVariant.h"

#include <QJsonObject>

namespace {

enum class Kind { Unknown, Int, Bool, Text };

// The kind of each setting, as the settings' own JSON form types it.
Kind kindOf(const QString &name)
{
    static const QJsonObject typed = ReaderSettings().toJson();
    const QJsonValue v = typed.value(name);
    if (v.isBool())
        return Kind::Bool;
    if (v.isDouble())
        return Kind::Int;
    if (v.isString())
        return Kind::Text;
    return Kind::Unknown;
}

[[noreturn]] void typeMismatch()
{
    throw AppError(QStringLiteral("Typkonflikt."));
}

} // namespace

QVariant DabBarcodeReaderSettings::invoke(const QString &, AutomationArgs &)
{
    unknownMember();
}

QVariant DabBarcodeReaderSettings::readProperty(const QString &name)
{
    switch (kindOf(name)) {
    case Kind::Int:
        return m_settings.get(name).toInt();
    case Kind::Bool:
        return m_settings.get(name) == u"true";
    case Kind::Text:
        return m_settings.get(name);
    case Kind::Unknown:
        break;
    }
    unknownMember();
}

void DabBarcodeReaderSettings::writeProperty(const QString &name, const QVariant &value)
{
    switch (kindOf(name)) {
    case Kind::Int: {
        const auto v = automation::variantToInt32(value);
        if (!v)
            typeMismatch();
        m_settings.set(name, QString::number(*v));
        return;
    }
    case Kind::Bool: {
        // As an automation Boolean coerces: any non-zero number is True, and
        // so are the texts "True" and "-1".
        bool on = false;
        if (value.metaType().id() == QMetaType::Bool) {
            on = value.toBool();
        } else if (value.metaType().id() == QMetaType::QString
                   && (value.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
                       || value.toString().compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)) {
            on = value.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        } else if (const auto v = automation::variantToInt32(value)) {
            on = *v != 0;
        } else {
            typeMismatch();
        }
        m_settings.set(name, on ? QStringLiteral("true") : QStringLiteral("false"));
        return;
    }
    case Kind::Text: {
        const auto v = automation::variantToString(value);
        if (!v)
            typeMismatch();
        m_settings.set(name, *v);
        return;
    }
    case Kind::Unknown:
        break;
    }
    unknownMember();
}
