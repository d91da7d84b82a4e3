#include "ProgramWindows.h"

#include "Application.h"
#include "MessageBoxes.h"
#include "Skin.h"
#include "elosim/SimulatedComponents.h"
#include "reader/BarcodeReaderComponent.h"

#include <QScreen>

ProgramWindows::ApplicationSetUp::ApplicationSetUp(TApplication &app)
{
    app.setTitle(MessageBoxes::ApplicationTitle);
    Skin::apply(app);
    registerBarcodeReaderComponent();
    // Where no ELO client runs, the simulated one answers under its names.
    registerSimulatedEloClient();
}

ProgramWindows::ProgramWindows(TApplication &app)
    : m_setUp(app), Form1(&fmain), FR_OCRerkennung(&fmain), F_BarcodeSettings(&fmain)
{
    fmain.Form1 = &Form1;
    fmain.FR_OCRerkennung = &FR_OCRerkennung;
    fmain.F_BarcodeSettings = &F_BarcodeSettings;
}

void ProgramWindows::showMainWindow()
{
    // Laid out at the maximised size from the start, so that the start-up
    // flow fits the page into the view as the user will see it.
    if (const QScreen *screen = fmain.screen())
        fmain.setGeometry(screen->availableGeometry());
    fmain.showMaximized();
}
