// Placeholder exports until the cache measurement lands: the size is reported as 1 byte at once.
#include <windows.h>

extern "C" {
int WINAPI vo_init_var_interface() { return 0; }
int WINAPI vo_clear_ie_interface() { return 0; }
int WINAPI vo_clear_varnio_interface() { return 0; }
int WINAPI vo_get_state_interface() { return 0; }
int WINAPI vo_terminate_interface() { return 0; }
double WINAPI vo_get_init_dirtory_size() { return 1.0; }
}
