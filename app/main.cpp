// Tervalonde za-nor: a designer of printable calendar pages.
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/registration.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    prepareCommonControls();
    registrationCheck();
    showMainWindow(nullptr, commandTail(GetCommandLineW()));
    return 0;
}
