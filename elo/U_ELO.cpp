#include "U_ELO.h"

#include "automation/ClassRegistry.h"
#include "registry/UserRegistry.h"

namespace {

const QString ProfessionalProgId = QStringLiteral("Elo.professional");
const QString OfficeProgId = QStringLiteral("Elo.office");

// readUserRegistryValue never raises: any registry error reads as no value.
bool hasActiveUser(const QString &key)
{
    const RegistryValue v = readUserRegistryValue(key, QStringLiteral("ActiveUser"));
    return v.type == RegistryValueType::String && !v.text.isEmpty();
}

// The first maxLength characters; a character outside the basic plane counts
// once and is never split.
QString cutToCharacters(const QString &text, int maxLength)
{
    qsizetype end = 0;
    for (int count = 0; end < text.size() && count < maxLength; ++count)
        end += (text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate()) ? 2 : 1;
    return text.left(end);
}

} // namespace

TElo::TElo() = default;

TElo::~TElo() = default;

std::uint8_t TElo::FindLoggedInClient()
{
    if (hasActiveUser(QStringLiteral("Software\\ELO Digital\\Elo32.1\\Options")))
        return 1;
    if (hasActiveUser(QStringLiteral("Software\\ELO Digital\\Elo32.2\\Options")))
        return 2;
    return 0;
}

std::uint8_t TElo::Connect()
{
    std::uint8_t result = 0;
    const std::uint8_t client = FindLoggedInClient();
    if (client == 0) {
        result = 1;
    } else {
        try {
            EloObject.reset();
            EloObject = automation::create(client == 1 ? ProfessionalProgId : OfficeProgId);
            AutomationArgs entry{AutomationArg::byValue(std::int32_t(-1))};
            if (EloObject->callInt32(QStringLiteral("GetEntryId"), entry) == -1) {
                AutomationArgs view{AutomationArg::byValue(std::int32_t(0))};
                if (EloObject->callInt32(QStringLiteral("SelectView"), view) == -1)
                    result = 3;
            }
        } catch (...) {
            result = 2;
        }
    }
    if (result != 0)
        EloObject.reset();
    return result;
}

void TElo::ReadMaskFields(const QString &MaskName)
{
    FieldNames.clear();
    FieldCount = 0;
    try {
        if (!EloObject)
            return;
        AutomationArgs lookup{AutomationArg::byValue(MaskName)};
        const std::int32_t maskNumber = EloObject->callInt32(QStringLiteral("LookupMaskName"), lookup);
        AutomationArgs read{AutomationArg::byReference(maskNumber)};
        if (EloObject->callInt32(QStringLiteral("ReadObjMask"), read) != 1)
            return;
        for (int line = 0; line < MaxFieldCount; ++line) {
            AutomationArgs index{AutomationArg::byReference(QVariant::fromValue(std::uint8_t(line)))};
            const QString name = EloObject->callString(QStringLiteral("GetObjAttribName"), index);
            if (name.isEmpty())
                continue;
            FieldNames.append(cutToCharacters(name, MaxFieldNameLength));
            FieldCount = std::uint8_t(FieldNames.size());
        }
    } catch (...) {
        // The names read so far stay; the grid shows what could be read.
    }
}

std::int32_t TElo::FindSelectedPostBoxLine()
{
    try {
        if (!EloObject)
            return -1;
        for (std::int32_t line = 0; line < MaxPostBoxLines; ++line) {
            AutomationArgs args{AutomationArg::byValue(line)};
            const std::int32_t answer = EloObject->callInt32(QStringLiteral("PostBoxLineSelected"), args);
            if (answer == 1)
                return line;
            if (answer < 0)
                return -1;
        }
    } catch (...) {
    }
    return -1;
}

std::int32_t TElo::ActivatePostBoxLine(std::int32_t Line)
{
    try {
        if (!EloObject)
            return 0;
        AutomationArgs args{AutomationArg::byReference(Line)};
        return EloObject->callInt32(QStringLiteral("SelectPostBoxLine"), args);
    } catch (...) {
        return 0;
    }
}

QString TElo::GetActivePostFile()
{
    QString result;
    try {
        if (!EloObject)
            return result;
        AutomationArgs none;
        result = EloObject->callString(QStringLiteral("ActivePostFile"), none);
    } catch (...) {
        result.clear();
    }
    return result;
}

std::int32_t TElo::CheckMaskName(const QString &MaskName)
{
    if (MaskName.isEmpty())
        return -2;
    try {
        if (!EloObject)
            return 0;
        AutomationArgs args{AutomationArg::byReference(MaskName)};
        return EloObject->callInt32(QStringLiteral("LookupMaskName"), args);
    } catch (...) {
        return 0;
    }
}
