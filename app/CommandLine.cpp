#include "CommandLine.h"

#include "StrictInt.h"

#include <optional>

const QString ConnectionStringTemplate = QStringLiteral(
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=XXX;Jet OLEDB:Database Password=kqm2961TZ*$=8vw");

QString connectionStringFor(const QString &path)
{
    QString result = ConnectionStringTemplate;
    const qsizetype at = result.indexOf(QStringLiteral("XXX"));
    if (at >= 0)
        result.replace(at, 3, path);
    return result;
}

void ReadCommandLine(const QStringList &arguments, CommandLineValues &values, const CommandLineTargets &targets)
{
    const auto valueOf = [](const QString &argument, QStringView sw) -> std::optional<QString> {
        const qsizetype at = argument.indexOf(sw);
        if (at < 0)
            return std::nullopt;
        return argument.mid(at + sw.size());
    };

    for (const QString &argument : arguments) {
        if (const auto mask = valueOf(argument, u"/M")) {
            values.MaskName = *mask;
            if (targets.readMaskFields)
                targets.readMaskFields(values.MaskName);
        }
        if (const auto path = valueOf(argument, u"/C")) {
            values.ConnectionString = connectionStringFor(*path);
            if (targets.setConnectionStringCaption)
                targets.setConnectionStringCaption(values.ConnectionString);
        }
        if (const auto address = valueOf(argument, u"/A"))
            values.AddressNumber = strictToInt32(*address);
        if (const auto docId = valueOf(argument, u"/D"))
            values.DocumentTypeNumber = strictToInt32(*docId);
        if (targets.setDocIdCaption)
            targets.setDocIdCaption(QString::number(values.DocumentTypeNumber));
    }
}
