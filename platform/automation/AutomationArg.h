#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <cstdint>

// One positional argument of a late-bound call. A by-reference argument may be
// written back by the callee; the caller reads it from the same list after the
// call. The variant's type is the type the caller passes (a 32-bit integer is
// QMetaType::Int, an unsigned 8-bit one QMetaType::UChar, a string QString).
struct AutomationArg
{
    QVariant value;
    bool byRef = false;

    static AutomationArg byValue(QVariant v) { return {std::move(v), false}; }
    static AutomationArg byReference(QVariant v) { return {std::move(v), true}; }
};

using AutomationArgs = QList<AutomationArg>;

// Helpers for components reading their arguments. They raise AppError with the
// texts the original platform gives for the same faults; AutomationObject::call
// adds the member and the component.
namespace automation {
void requireArgCount(const AutomationArgs &args, qsizetype count);
std::int32_t int32Arg(const AutomationArgs &args, qsizetype index);
QString stringArg(const AutomationArgs &args, qsizetype index);
} // namespace automation
