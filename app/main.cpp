#include "Application.h"
#include "ProgramWindows.h"

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);

    ProgramWindows windows(app);
    windows.showMainWindow();
    return app.exec();
}
