#include "ScriptedAutomationObject.h"

#include "AppError.h"

namespace {
bool isNumeric(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (isNumeric(a) && isNumeric(b))
        return a.toDouble() == b.toDouble();
    return a.metaType() == b.metaType() && a == b;
}

bool sameValues(const QVariantList &expected, const AutomationArgs &args)
{
    if (expected.size() != args.size())
        return false;
    for (qsizetype i = 0; i < args.size(); ++i)
        if (!sameValue(expected[i], args[i].value))
            return false;
    return true;
}
} // namespace

ScriptedAutomationObject::ScriptedAutomationObject(QString description)
    : m_description(std::move(description))
{
}

void ScriptedAutomationObject::answer(const QString &member, QVariant result)
{
    m_answers.insert(member, std::move(result));
}

void ScriptedAutomationObject::answer(const QString &member, const QVariantList &args, QVariant result)
{
    m_argAnswers[member].append({args, std::move(result)});
}

void ScriptedAutomationObject::answerWith(const QString &member, Handler handler)
{
    m_handlers.insert(member, std::move(handler));
}

void ScriptedAutomationObject::answerUnknownWith(Handler handler)
{
    m_unknownHandler = std::move(handler);
}

void ScriptedAutomationObject::fail(const QString &member, QString reason)
{
    m_failures.insert(member, std::move(reason));
}

void ScriptedAutomationObject::writeBack(const QString &member, qsizetype index, QVariant value)
{
    m_writeBacks[member].append({index, std::move(value)});
}

void ScriptedAutomationObject::setScriptedProperty(const QString &name, QVariant value)
{
    m_properties.insert(name, std::move(value));
}

QList<ScriptedAutomationObject::Call> ScriptedAutomationObject::callsOf(const QString &member) const
{
    QList<Call> result;
    for (const Call &c : m_calls)
        if (c.member == member)
            result.append(c);
    return result;
}

QStringList ScriptedAutomationObject::calledMembers() const
{
    QStringList result;
    for (const Call &c : m_calls)
        result.append(c.member);
    return result;
}

QVariant ScriptedAutomationObject::invoke(const QString &member, AutomationArgs &args)
{
    Call call{CallKind::Method, member, {}, {}};
    for (const AutomationArg &a : args) {
        call.args.append(a.value);
        call.byRef.append(a.byRef);
    }
    m_calls.append(call);

    if (const auto failure = m_failures.constFind(member); failure != m_failures.cend())
        throw AppError(*failure);
    for (const auto &[index, value] : m_writeBacks.value(member)) {
        if (index < 0 || index >= args.size() || !args[index].byRef)
            throw AppError(QStringLiteral("Typkonflikt: Argument %1 wird nicht als Referenz übergeben.").arg(index + 1));
        args[index].value = value;
    }
    if (const auto handler = m_handlers.constFind(member); handler != m_handlers.cend())
        return (*handler)(args);
    for (const ArgAnswer &a : m_argAnswers.value(member))
        if (sameValues(a.args, args))
            return a.result;
    if (const auto answer = m_answers.constFind(member); answer != m_answers.cend())
        return *answer;
    if (m_unknownHandler)
        return m_unknownHandler(args);
    unknownMember();
}

QVariant ScriptedAutomationObject::readProperty(const QString &name)
{
    m_calls.append({CallKind::PropertyGet, name, {}, {}});
    if (const auto failure = m_failures.constFind(name); failure != m_failures.cend())
        throw AppError(*failure);
    if (const auto value = m_properties.constFind(name); value != m_properties.cend())
        return *value;
    unknownMember();
}

void ScriptedAutomationObject::writeProperty(const QString &name, const QVariant &value)
{
    m_calls.append({CallKind::PropertyPut, name, {value}, {false}});
    if (const auto failure = m_failures.constFind(name); failure != m_failures.cend())
        throw AppError(*failure);
    m_properties.insert(name, value);
}
