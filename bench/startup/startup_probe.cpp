// The program block of barcode-erweiterung, ending as soon as the start-up
// flow has reached Ready: prints "ready", the number of areas and of boxes on
// the page on the standard output and exits 0.
// Any other end of the flow prints its state number and exits 1.
#include "Application.h"
#include "MessageBoxes.h"
#include "ProgramWindows.h"
#include "imageview/ImageEnVect.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    // A box would wait for a user who is not there.
    MessageBoxes::setHook([](const ShownMessage &) { return MessageAnswer::Cancel; });

    ProgramWindows windows(app);
    Tfmain &fmain = windows.fmain;
    QObject::connect(&fmain, &Tfmain::startupStateChanged, &app, [&fmain](Tfmain::StartupState state) {
        switch (state) {
        case Tfmain::StartupState::Ready:
            std::printf("ready %d %d\n", fmain.areaCount(), fmain.ImageEnVect1->objectCount());
            std::fflush(stdout);
            QCoreApplication::exit(0);
            break;
        case Tfmain::StartupState::Stalled:
        case Tfmain::StartupState::Closing:
            std::printf("%d\n", int(state));
            std::fflush(stdout);
            QCoreApplication::exit(1);
            break;
        default:
            break;
        }
    });
    windows.showMainWindow();
    return app.exec();
}
