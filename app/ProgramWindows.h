#pragma once

#include "BearbeiteName.h"
#include "OCRErkennung.h"
#include "U_Assistent.h"
#include "umain.h"

class TApplication;

// What the program block sets up: the application's title and skin, the
// automation components the commands create (the barcode reader, the ELO
// client), then the four windows in their order (the main window, the name dialog, the progress
// window, the settings dialog). The secondary windows live as long as the
// main window and are shown by the commands that need them. The program and
// the start-up probe of the benchmark both start through here, so that the
// probe times exactly what the program does.
class ProgramWindows
{
public:
    explicit ProgramWindows(TApplication &app);

private:
    // Set up before the first window exists, so that every window wears the
    // skin and start-up finds the components registered.
    struct ApplicationSetUp
    {
        explicit ApplicationSetUp(TApplication &app);
    } m_setUp;

public:
    Tfmain fmain;
    TForm1 Form1;
    TFR_OCRerkennung FR_OCRerkennung;
    TF_BarcodeSettings F_BarcodeSettings;

    // Shows the main window maximised; its first showing runs the start-up flow.
    void showMainWindow();
};
