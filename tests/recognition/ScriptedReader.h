#pragma once

// A stand-in reader component whose objects write every call, across all of
// them, into one log in the order they arrive: "DabMain.init",
// "Settings.BarcodeTypes=1", "Barcode1.Position", ...

#include "FoundBarcode.h"
#include "automation/AutomationVariant.h"
#include "automation/ScopedClassRegistration.h"
#include "automation/ScriptedAutomationObject.h"

#include <QStringList>
#include <memory>

class LoggedObject : public ScriptedAutomationObject
{
public:
    LoggedObject(QString name, std::shared_ptr<QStringList> log)
        : ScriptedAutomationObject(name), m_name(std::move(name)), m_log(std::move(log))
    {
    }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override
    {
        QStringList shown;
        for (const AutomationArg &a : args)
            shown << (a.byRef ? QStringLiteral("ref ") : QString()) + text(a.value);
        m_log->append(m_name + QLatin1Char('.') + member
                      + (args.isEmpty() ? QString() : QLatin1Char('(') + shown.join(QLatin1Char(',')) + QLatin1Char(')')));
        return ScriptedAutomationObject::invoke(member, args);
    }
    QVariant readProperty(const QString &name) override
    {
        m_log->append(m_name + QStringLiteral(".get ") + name);
        return ScriptedAutomationObject::readProperty(name);
    }
    void writeProperty(const QString &name, const QVariant &value) override
    {
        m_log->append(m_name + QLatin1Char('.') + name + QLatin1Char('=') + text(value));
        ScriptedAutomationObject::writeProperty(name, value);
    }

private:
    static QString text(const QVariant &v)
    {
        if (automation::variantToObject(v))
            return QStringLiteral("object");
        if (v.metaType().id() == QMetaType::Bool)
            return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        if (v.metaType().id() == QMetaType::QString)
            return QLatin1Char('"') + v.toString() + QLatin1Char('"');
        return automation::variantToString(v).value_or(QStringLiteral("?"));
    }

    QString m_name;
    std::shared_ptr<QStringList> m_log;
};

struct ScriptedReader
{
    std::shared_ptr<QStringList> log = std::make_shared<QStringList>();
    std::shared_ptr<LoggedObject> main = make("DabMain");
    std::shared_ptr<LoggedObject> settings = make("Settings");
    std::shared_ptr<LoggedObject> rect = make("DataRect");
    std::shared_ptr<LoggedObject> reader = make("Reader");
    std::shared_ptr<LoggedObject> list = make("List");
    QList<std::shared_ptr<LoggedObject>> barcodes;
    ScopedClassRegistration mainClass{QStringLiteral("sceDab1.DabMain"), main};
    ScopedClassRegistration settingsClass{QStringLiteral("sceDab1.BarcodeReaderSettings"), settings};
    ScopedClassRegistration rectClass{QStringLiteral("sceDab1.DataRect"), rect};

    explicit ScriptedReader(const QList<FoundBarcode> &found = {})
    {
        main->answer(QStringLiteral("init"), QVariant());
        main->answer(QStringLiteral("createBarcodeReader"), automation::objectToVariant(reader));
        reader->answer(QStringLiteral("loadSettingsFrom"), QVariant());
        reader->answer(QStringLiteral("setScanRect"), QVariant());
        reader->answer(QStringLiteral("scanBarcodes"), automation::objectToVariant(list));
        list->answer(QStringLiteral("Count"), static_cast<int>(found.size()));
        for (int i = 0; i < found.size(); ++i) {
            auto barcode = make("Barcode" + QString::number(i));
            auto position = make("Position" + QString::number(i));
            position->answer(QStringLiteral("Left"), found[i].Position.Left);
            position->answer(QStringLiteral("Top"), found[i].Position.Top);
            position->answer(QStringLiteral("Width"), found[i].Position.Width);
            position->answer(QStringLiteral("Height"), found[i].Position.Height);
            barcode->answer(QStringLiteral("Data"), found[i].Data);
            barcode->answer(QStringLiteral("BarcodeType"), found[i].BarcodeType);
            barcode->answer(QStringLiteral("Position"), automation::objectToVariant(position));
            list->answer(QStringLiteral("get"), {i}, automation::objectToVariant(barcode));
            barcodes.append(barcode);
        }
    }

    std::shared_ptr<LoggedObject> make(const QString &name) { return std::make_shared<LoggedObject>(name, log); }

    // The log entries that start with prefix, in order.
    QStringList entries(const QString &prefix) const
    {
        QStringList out;
        for (const QString &e : *log)
            if (e.startsWith(prefix))
                out << e;
        return out;
    }
};
