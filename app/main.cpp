#include "Application.h"
#include "BearbeiteName.h"
#include "MessageBoxes.h"
#include "OCRErkennung.h"
#include "Skin.h"
#include "U_Assistent.h"
#include "reader/BarcodeReaderComponent.h"
#include "umain.h"

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    app.setTitle(MessageBoxes::ApplicationTitle);
    Skin::apply(app);
    registerBarcodeReaderComponent();

    // The secondary windows exist for the whole run and are shown by the
    // commands that need them.
    Tfmain fmain;
    TForm1 Form1(&fmain);
    TFR_OCRerkennung FR_OCRerkennung(&fmain);
    TF_BarcodeSettings F_BarcodeSettings(&fmain);
    fmain.Form1 = &Form1;
    fmain.FR_OCRerkennung = &FR_OCRerkennung;
    fmain.F_BarcodeSettings = &F_BarcodeSettings;

    fmain.showMaximized();
    return app.exec();
}
