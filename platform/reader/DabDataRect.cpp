#include "DabDataRect.h"

#include "AppError.h"
#include "automation/AutomationVariant.h"

#include <algorithm>

namespace {
// Far beyond any page the reader accepts, and small enough that left + width
// cannot overflow.
constexpr std::int32_t Limit = 1 << 29;
} // namespace

DabDataRect::DabDataRect(const QRect &rect)
    : Left(rect.left()), Top(rect.top()), Width(rect.width()), Height(rect.height())
{
}

QRect DabDataRect::toRect() const
{
    if (Width <= 0 || Height <= 0)
        return QRect(std::clamp(Left, -Limit, Limit), std::clamp(Top, -Limit, Limit), 0, 0);
    return QRect(std::clamp(Left, -Limit, Limit), std::clamp(Top, -Limit, Limit), std::min(Width, Limit),
                 std::min(Height, Limit));
}

std::int32_t *DabDataRect::field(const QString &name)
{
    if (name == u"Left")
        return &Left;
    if (name == u"Top")
        return &Top;
    if (name == u"Width")
        return &Width;
    if (name == u"Height")
        return &Height;
    return nullptr;
}

QVariant DabDataRect::invoke(const QString &member, AutomationArgs &args)
{
    if (std::int32_t *f = field(member)) {
        automation::requireArgCount(args, 0);
        return *f;
    }
    unknownMember();
}

QVariant DabDataRect::readProperty(const QString &name)
{
    if (std::int32_t *f = field(name))
        return *f;
    unknownMember();
}

void DabDataRect::writeProperty(const QString &name, const QVariant &value)
{
    std::int32_t *f = field(name);
    if (!f)
        unknownMember();
    const auto v = automation::variantToInt32(value);
    if (!v)
        throw AppError(QStringLiteral("Typkonflikt."));
    *f = *v;
}
