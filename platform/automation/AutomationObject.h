#pragma once

#include "AutomationArg.h"

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>

// An automation object: the stand-in for a COM dispatch interface. Callers
// reach every member late-bound by name, with positional arguments, and get a
// variant back; they never see the implementing class, so an object may do its
// work in this process or hand it to a helper process without the caller
// noticing.
//
// Callers use call(), getProperty() and setProperty(), and the typed shortcuts
// callInt32() and callString(). Every failure (unknown member, wrong
// arguments, an error raised inside the component, an answer that does not
// convert) arrives as one AutomationError carrying the member's name and the
// component's description; no other exception type leaves these functions.
//
// Components derive from this class and implement invoke() and, where they
// have properties, readProperty()/writeProperty(). They raise AppError (or
// anything derived from std::exception) for a fault; unknownMember() gives the
// standard text for a name they do not know.
class AutomationObject
{
public:
    virtual ~AutomationObject();

    AutomationObject(const AutomationObject &) = delete;
    AutomationObject &operator=(const AutomationObject &) = delete;

    // The component's description, e.g. "Elo.professional (simuliert)".
    virtual QString description() const = 0;

    // Method call. By-reference entries of args may have been written back
    // when the call returns.
    QVariant call(const QString &member, AutomationArgs &args);
    // For calls whose arguments are all by value and need not be read back.
    QVariant call(const QString &member, const QVariantList &byValueArgs = {});

    std::int32_t callInt32(const QString &member, AutomationArgs &args);
    QString callString(const QString &member, AutomationArgs &args);

    QVariant getProperty(const QString &name);
    void setProperty(const QString &name, const QVariant &value);

protected:
    AutomationObject() = default;

    virtual QVariant invoke(const QString &member, AutomationArgs &args) = 0;
    virtual QVariant readProperty(const QString &name);
    virtual void writeProperty(const QString &name, const QVariant &value);

    [[noreturn]] static void unknownMember();

private:
    template <typename F> auto guarded(const QString &member, F &&f) -> decltype(f());
};

using AutomationObjectPtr = std::shared_ptr<AutomationObject>;

// Objects travel inside answers and arguments (a component handing out a
// sub-object) as variants holding an AutomationObjectPtr.
Q_DECLARE_METATYPE(AutomationObjectPtr)

namespace automation {
inline QVariant objectToVariant(AutomationObjectPtr object)
{
    return QVariant::fromValue(std::move(object));
}
// Null when the variant holds no object.
inline AutomationObjectPtr variantToObject(const QVariant &v)
{
    return v.metaType() == QMetaType::fromType<AutomationObjectPtr>() ? v.value<AutomationObjectPtr>() : nullptr;
}
} // namespace automation
