#pragma once

#include <QString>
#include <optional>

// The two parts of the host's connection string that the tool uses. The string
// follows the host's template "Provider=...;Data Source=<path>;Jet OLEDB:
// Database Password=<password>", with the path put in as given on the command
// line, so the path may itself hold ";" or "=".
struct ConnectionString
{
    QString DataSource;
    QString Password;

    // The data source is everything between the first "Data Source=" and the
    // last ";Jet OLEDB:Database Password=", the password everything after that.
    // Empty result for a string without both keys or with an empty data source.
    static std::optional<ConnectionString> parse(const QString &text);
};
