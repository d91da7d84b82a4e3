#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>

class DefinitionDatabase;

// The reading data set of the main window (DS_Einstellungen): a command text,
// opened to a client-side copy of its rows (so the row count is known and no
// read lock is kept on the shared file), read field by field by column name.
// Errors raise AppError; stored values are untrusted, so conversions are
// strict and a value that does not fit raises a ConversionError.
class ReadingDataSet
{
public:
    explicit ReadingDataSet(DefinitionDatabase &database);

    void setCommandText(const QString &sql) { m_commandText = sql; }
    const QString &commandText() const { return m_commandText; }

    void open();
    void close();
    bool active() const { return m_active; }

    qsizetype recordCount() const { return m_rows.size(); }
    bool eof() const { return m_current >= m_rows.size(); }
    void next();

    // Column names are matched without regard to case, as the host's drivers do.
    bool isNull(const QString &column) const;
    QString asString(const QString &column) const; // NULL gives the empty text
    std::int32_t asInteger(const QString &column) const;
    bool asBoolean(const QString &column) const;

private:
    const QVariant &value(const QString &column) const;

    DefinitionDatabase &m_database;
    QString m_commandText;
    bool m_active = false;
    QStringList m_columns;
    QList<QList<QVariant>> m_rows;
    qsizetype m_current = 0;
};
