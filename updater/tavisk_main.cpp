#include <windows.h>

// The updater flow arrives later; without it there is nothing to do.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return -1; }
