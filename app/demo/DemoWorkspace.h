#pragma once

#include <QString>
#include <QStringList>

// The demo workspace: everything the tool needs to run end to end without a
// real ELO client or host product.
//
//   platform/registry.reg      a logged-in ELOprofessional user
//   platform/elo-client.json   the postbox (the invoice selected, the delivery
//                              note) and the filing masks
//   pages/*.tif                the sample pages, A4 at 300 dpi
//   host.db                    the host database from the shipped schema, with
//                              stored areas and bindings for document type 5
class DemoWorkspace
{
public:
    static inline const QString MaskName = QStringLiteral("Eingangsrechnung");
    static constexpr int DocumentType = 5;
    static constexpr int AddressNumber = 1;

    // Writes the workspace into dir (created if missing; files of an earlier
    // workspace there are replaced). schemaFile is storage/host-schema.sql.
    // Raises AppError when something cannot be written.
    static void write(const QString &dir, const QString &schemaFile);

    // The platform folder to point BCE_PLATFORM_DIR at.
    static QString platformFolder(const QString &dir);
    // The command line the host would start the tool with.
    static QStringList arguments(const QString &dir);
};
