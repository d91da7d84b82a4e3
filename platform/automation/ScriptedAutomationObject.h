#pragma once

#include "AutomationObject.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

// A stand-in component for tests of every layer: it answers from a table and
// records every call in order. Register it with ScopedClassRegistration.
//
//   auto elo = std::make_shared<ScriptedAutomationObject>("ELO (Test)");
//   elo->answer("GetEntryId", 5);                         // any arguments
//   elo->answer("PostBoxLineSelected", {3}, 1);           // only for these arguments
//   elo->answerWith("Scan", [](AutomationArgs &a) { a[1].value = 7; return 0; });
//   elo->fail("ActivePostFile", "Keine Verbindung");     // raises
//   ... elo->calls()[0].member, .args, .byRef
//
// Lookup order for a method call: a handler set with answerWith, then an answer
// for exactly these argument values (numbers compare by value whatever their
// type), then the answer for any arguments, then a default answer set with
// answerUnknownWith(); a member with none of these fails as an unknown name.
// A member set to fail() fails before any lookup.
class ScriptedAutomationObject : public AutomationObject
{
public:
    enum class CallKind { Method, PropertyGet, PropertyPut };

    struct Call
    {
        CallKind kind = CallKind::Method;
        QString member;
        QVariantList args;     // as passed in, before any write-back
        QList<bool> byRef;     // one flag per argument
    };

    using Handler = std::function<QVariant(AutomationArgs &args)>;

    explicit ScriptedAutomationObject(QString description = QStringLiteral("Scripted object"));

    QString description() const override { return m_description; }

    void answer(const QString &member, QVariant result);
    void answer(const QString &member, const QVariantList &args, QVariant result);
    void answerWith(const QString &member, Handler handler);
    // Answers every member without an entry (e.g. to count calls of a member).
    void answerUnknownWith(Handler handler);
    void fail(const QString &member, QString reason = QStringLiteral("Ausnahmefehler."));
    // Writes value into the by-reference argument at index on every call of
    // member, before the answer is looked up.
    void writeBack(const QString &member, qsizetype index, QVariant value);

    // Properties start absent (unknown name); a put creates them.
    void setScriptedProperty(const QString &name, QVariant value);
    QVariant scriptedProperty(const QString &name) const { return m_properties.value(name); }

    const QList<Call> &calls() const { return m_calls; }
    QList<Call> callsOf(const QString &member) const;
    QStringList calledMembers() const;
    void clearCalls() { m_calls.clear(); }

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override;
    QVariant readProperty(const QString &name) override;
    void writeProperty(const QString &name, const QVariant &value) override;

private:
    struct ArgAnswer
    {
        QVariantList args;
        QVariant result;
    };

    QString m_description;
    QHash<QString, QVariant> m_answers;
    QHash<QString, QList<ArgAnswer>> m_argAnswers;
    QHash<QString, Handler> m_handlers;
    QHash<QString, QString> m_failures;
    QHash<QString, QList<QPair<qsizetype, QVariant>>> m_writeBacks;
    Handler m_unknownHandler;
    QHash<QString, QVariant> m_properties;
    QList<Call> m_calls;
};
