#include "Application.h"
#include "BearbeiteName.h"
#include "MessageBoxes.h"
#include "OCRErkennung.h"
#include "Skin.h"
#include "U_Assistent.h"
#include "reader/BarcodeReaderComponent.h"
#include "elosim/SimulatedComponents.h"
#include "umain.h"

#include <QScreen>

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    app.setTitle(MessageBoxes::ApplicationTitle);
    Skin::apply(app);
    registerBarcodeReaderComponent();
    // Where no ELO client runs, the simulated one answers under its names.
    registerSimulatedEloClient();

    // The secondary windows exist for the whole run and are shown by the
    // commands that need them.
    Tfmain fmain;
    TForm1 Form1(&fmain);
    TFR_OCRerkennung FR_OCRerkennung(&fmain);
    TF_BarcodeSettings F_BarcodeSettings(&fmain);
    fmain.Form1 = &Form1;
    fmain.FR_OCRerkennung = &FR_OCRerkennung;
    fmain.F_BarcodeSettings = &F_BarcodeSettings;

    // Laid out at the maximised size from the start, so that the start-up
    // flow fits the page into the view as the user will see it.
    if (const QScreen *screen = fmain.screen())
        fmain.setGeometry(screen->availableGeometry());
    fmain.showMaximized();
    return app.exec();
}
