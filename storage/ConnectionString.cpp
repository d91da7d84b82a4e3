#include "ConnectionString.h"

namespace {
const QString DataSourceKey = QStringLiteral("Data Source=");
const QString PasswordKey = QStringLiteral(";Jet OLEDB:Database Password=");
}

std::optional<ConnectionString> ConnectionString::parse(const QString &text)
{
    const qsizetype sourceKey = text.indexOf(DataSourceKey);
    if (sourceKey < 0)
        return std::nullopt;
    const qsizetype sourceStart = sourceKey + DataSourceKey.size();
    // The password is fixed by the template and never holds the key, while a
    // path might: so the last occurrence ends the path.
    const qsizetype passwordKey = text.lastIndexOf(PasswordKey);
    if (passwordKey < sourceStart)
        return std::nullopt;
    ConnectionString result;
    result.DataSource = text.mid(sourceStart, passwordKey - sourceStart);
    result.Password = text.mid(passwordKey + PasswordKey.size());
    if (result.DataSource.isEmpty())
        return std::nullopt;
    return result;
}
