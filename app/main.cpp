#include "Application.h"
#include "ProgramWindows.h"
#include "elosim/SimulatedComponents.h"
#include "reader/BarcodeReaderComponent.h"

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    registerBarcodeReaderComponent();
    // Where no ELO client runs, the simulated one answers under its names.
    registerSimulatedEloClient();

    ProgramWindows windows(app);
    windows.showMainWindow();
    return app.exec();
}
