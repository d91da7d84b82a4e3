#include "SchemaScript.h"

QStringList schemaScriptStatements(const QString &schemaText)
{
    QString text;
    for (const QString &line : schemaText.split(u'\n')) {
        if (!line.trimmed().startsWith(QStringLiteral("--")))
            text += line + u'\n';
    }
    QStringList statements;
    for (const QString &s : text.split(u';')) {
        if (!s.trimmed().isEmpty())
            statements << s.trimmed();
    }
    return statements;
}
