#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral(">merivant< tessalon Barcodes"));
    QTextStream(stderr) << "barcode-erweiterung: the main window is not built yet; "
                           "only the area model and its tests exist so far.\n";
    return 0;
}
