// Scoura.dll: the cache folders of the browser and of the product line, measured and cleared with the
// same code and the same safety rules as game repair.
#include <windows.h>

#include <type_traits>

#include "optimizer/companions/companion_exports.h"
#include "optimizer/companions/scoura/scoura_jobs.h"

extern "C" {
// Arms the background measurement of both cache folders, which begins at the first size request;
// 1 when armed, 0 while one runs.
int WINAPI vo_init_var_interface() {
    return CScouraJobs::Instance().StartMeasuring() ? 1 : 0;
}
// Empties the URL cache; 1 when finished, 0 when stopped or while another clear runs.
int WINAPI vo_clear_ie_interface() {
    return CScouraJobs::Instance().ClearBrowserCache() ? 1 : 0;
}
// Deletes the product cache folder's contents; same results.
int WINAPI vo_clear_varnio_interface() {
    return CScouraJobs::Instance().ClearProductCache() ? 1 : 0;
}
// The state of the last clear: 0 none yet, 1 running, 2 finished, 3 stopped.
int WINAPI vo_get_state_interface() {
    return CScouraJobs::Instance().State();
}
// Stops the measurement and any clear before their next entry; 1 when nothing runs any more.
int WINAPI vo_terminate_interface() {
    return CScouraJobs::Instance().Terminate() ? 1 : 0;
}
// Bytes in both cache folders as last measured; 0 until the first measurement is done. Starts an
// armed measurement.
double WINAPI vo_get_init_dirtory_size() {
    return CScouraJobs::Instance().MeasuredBytes();
}
}

// The exports keep the types the optimizer looks them up by.
static_assert(std::is_same<decltype(&vo_init_var_interface), VoInitVarFn>::value, "init");
static_assert(std::is_same<decltype(&vo_clear_ie_interface), VoClearIeFn>::value, "clear ie");
static_assert(std::is_same<decltype(&vo_clear_varnio_interface), VoClearVarnioFn>::value, "clear varnio");
static_assert(std::is_same<decltype(&vo_get_state_interface), VoGetStateFn>::value, "state");
static_assert(std::is_same<decltype(&vo_terminate_interface), VoTerminateFn>::value, "terminate");
static_assert(std::is_same<decltype(&vo_get_init_dirtory_size), VoGetDirSizeFn>::value, "size");
