#include "PostgresAddress.h"

#include <QUrl>
#include <QUrlQuery>

namespace {

bool hasScheme(const QString &text, const QString &scheme)
{
    return text.startsWith(scheme + QStringLiteral("://"), Qt::CaseInsensitive);
}

} // namespace

bool PostgresAddress::looksLikeUri(const QString &dataSource)
{
    return hasScheme(dataSource, QStringLiteral("postgresql")) || hasScheme(dataSource, QStringLiteral("postgres"));
}

std::optional<PostgresAddress> PostgresAddress::parse(const QString &dataSource)
{
    if (!looksLikeUri(dataSource))
        return std::nullopt;
    const QUrl url(dataSource, QUrl::StrictMode);
    if (!url.isValid() || url.hasFragment())
        return std::nullopt;

    PostgresAddress address;
    address.Host = url.host(QUrl::FullyDecoded);
    address.Port = url.port(-1);
    address.User = url.userName(QUrl::FullyDecoded);
    address.Password = url.password(QUrl::FullyDecoded);
    QString path = url.path(QUrl::FullyDecoded);
    if (!path.startsWith(u'/'))
        return std::nullopt;
    address.DatabaseName = path.mid(1);
    if (address.DatabaseName.isEmpty() || address.DatabaseName.contains(u'/'))
        return std::nullopt;

    if (url.hasQuery()) {
        static const QStringList sslModes{QStringLiteral("disable"),   QStringLiteral("allow"),
                                          QStringLiteral("prefer"),    QStringLiteral("require"),
                                          QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
        const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
        for (const auto &[key, value] : items) {
            // The value goes into libpq's option text unquoted, so only the
            // known words pass.
            if (key != QStringLiteral("sslmode") || !sslModes.contains(value))
                return std::nullopt;
            address.SslMode = value;
        }
    }
    return address;
}
