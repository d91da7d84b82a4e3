#pragma once

#include "AutomationObject.h"

#include <QString>
#include <QStringList>
#include <functional>

// The class registry: components make themselves creatable under a ProgID, and
// the tool creates objects by ProgID only. One registry per process; all
// functions are safe to call from any thread, though the tool uses them from
// the user-interface thread only.
namespace automation {

// Makes a new object on each call. It may raise AppError (or any
// std::exception) to refuse, e.g. when the component's state cannot be read.
using Factory = std::function<AutomationObjectPtr()>;

// Registers factory under progId, replacing any earlier registration of it.
void registerClass(const QString &progId, Factory factory);
// Removes the registration; nothing happens for an unknown ProgID.
void unregisterClass(const QString &progId);
bool isRegistered(const QString &progId);
QStringList registeredClasses();

// Creates an object of the class registered under progId (exact spelling).
// Raises AutomationError naming the ProgID when nothing is registered under
// it, when the factory refuses (with the factory's reason), or when it gives
// no object. Never returns null.
AutomationObjectPtr create(const QString &progId);

// The factory registered under progId, or an empty one; lets a scoped
// registration put an earlier one back.
Factory factoryFor(const QString &progId);

} // namespace automation
