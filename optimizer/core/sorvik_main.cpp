#include <windows.h>

// The main window arrives with the start-up code; until then the program starts and ends quietly.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
