#include "AutomationArg.h"

#include "AppError.h"
#include "AutomationVariant.h"

namespace automation {

void requireArgCount(const AutomationArgs &args, qsizetype count)
{
    if (args.size() != count)
        throw AppError(QStringLiteral("Unzulässige Parameteranzahl."));
}

std::int32_t int32Arg(const AutomationArgs &args, qsizetype index)
{
    if (index < 0 || index >= args.size())
        throw AppError(QStringLiteral("Unzulässige Parameteranzahl."));
    if (const auto value = variantToInt32(args[index].value))
        return *value;
    throw AppError(QStringLiteral("Typkonflikt (Argument %1).").arg(index + 1));
}

QString stringArg(const AutomationArgs &args, qsizetype index)
{
    if (index < 0 || index >= args.size())
        throw AppError(QStringLiteral("Unzulässige Parameteranzahl."));
    if (auto value = variantToString(args[index].value))
        return *value;
    throw AppError(QStringLiteral("Typkonflikt (Argument %1).").arg(index + 1));
}

} // namespace automation
