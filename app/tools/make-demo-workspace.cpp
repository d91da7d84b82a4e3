// Writes the demo workspace: make-demo-workspace DIR [SCHEMA]
// SCHEMA defaults to the repository's storage/host-schema.sql.
#include "AppError.h"
#include "demo/DemoWorkspace.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // The pages are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.size() > 2 || args[0].startsWith(u'-')) {
        err << "usage: make-demo-workspace DIR [HOST-SCHEMA.sql]\n";
        return 2;
    }
    const QString schema = args.size() > 1 ? args[1] : QStringLiteral(BCE_SOURCE_DIR "/storage/host-schema.sql");
    try {
        DemoWorkspace::write(args[0], schema);
    } catch (const AppError &e) {
        err << "make-demo-workspace: " << e.message() << "\n";
        return 1;
    }
    QTextStream out(stdout);
    out << "BCE_PLATFORM_DIR=" << DemoWorkspace::platformFolder(args[0]) << "\n"
        << DemoWorkspace::arguments(args[0]).join(u' ') << "\n";
    return 0;
}
