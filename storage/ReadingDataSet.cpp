#include "ReadingDataSet.h"

#include "AppError.h"
#include "DefinitionDatabase.h"
#include "StrictInt.h"

#include <cmath>
#include <limits>

namespace {

ConversionError notAnInteger(const QString &column, const QVariant &v)
{
    return ConversionError(QStringLiteral("'%1' ist kein gültiger Integerwert (Feld '%2')").arg(v.toString(), column));
}

} // namespace

ReadingDataSet::ReadingDataSet(DefinitionDatabase &database) : m_database(database) {}

void ReadingDataSet::open()
{
    close();
    auto rows = m_database.selectRows(m_commandText);
    m_columns = std::move(rows.Columns);
    m_rows = std::move(rows.Values);
    m_current = 0;
    m_active = true;
}

void ReadingDataSet::close()
{
    m_active = false;
    m_columns.clear();
    m_rows.clear();
    m_current = 0;
}

void ReadingDataSet::next()
{
    if (m_current < m_rows.size())
        ++m_current;
}

const QVariant &ReadingDataSet::value(const QString &column) const
{
    if (!m_active)
        throw AppError(QStringLiteral("Die Datenmenge ist nicht geöffnet"));
    qsizetype index = 0;
    while (index < m_columns.size() && m_columns[index].compare(column, Qt::CaseInsensitive) != 0)
        ++index;
    if (index == m_columns.size())
        throw AppError(QStringLiteral("Feld '%1' nicht gefunden").arg(column));
    if (eof())
        throw AppError(QStringLiteral("Keine aktuelle Zeile in der Datenmenge"));
    return m_rows[m_current][index];
}

bool ReadingDataSet::isNull(const QString &column) const
{
    return value(column).isNull();
}

QString ReadingDataSet::asString(const QString &column) const
{
    const QVariant &v = value(column);
    return v.isNull() ? QString() : v.toString();
}

std::int32_t ReadingDataSet::asInteger(const QString &column) const
{
    const QVariant &v = value(column);
    if (v.isNull())
        throw ConversionError(QStringLiteral("Feld '%1' ist leer").arg(column));
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (!ok || n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
            throw notAnInteger(column, v);
        return static_cast<std::int32_t>(n);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || d < std::numeric_limits<std::int32_t>::min()
            || d > std::numeric_limits<std::int32_t>::max())
            throw notAnInteger(column, v);
        return static_cast<std::int32_t>(d);
    }
    default:
        if (const auto n = parseStrictInt32(v.toString()))
            return *n;
        throw notAnInteger(column, v);
    }
}

bool ReadingDataSet::asBoolean(const QString &column) const
{
    const QVariant &v = value(column);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        const double d = v.toDouble();
        if (std::isnan(d))
            throw ConversionError(QStringLiteral("'%1' ist kein gültiger Boolescher Wert (Feld '%2')").arg(v.toString(), column));
        return d != 0.0;
    }
    try {
        return asInteger(column) != 0;
    } catch (const ConversionError &) {
        throw ConversionError(QStringLiteral("'%1' ist kein gültiger Boolescher Wert (Feld '%2')").arg(v.toString(), column));
    }
}
