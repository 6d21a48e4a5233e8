// Placeholder exports until the speed-test download lands: nothing is transferred, the count stays 0.
#include <windows.h>

extern "C" {
int WINAPI vo_connect_interface_first() { return 0; }
double WINAPI vo_connect_interface_next() { return 0.0; }
int WINAPI vo_connect_interface_last() { return 0; }
}
