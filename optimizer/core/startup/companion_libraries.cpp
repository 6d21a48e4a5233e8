#include "optimizer/core/startup/companion_libraries.h"

#include <windows.h>

#include "common/text_encoding.h"

namespace {

template <typename Fn>
void Find(HMODULE module, const char* name, Fn& fn) {
    fn = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// The full path keeps the system from taking a same-named library from anywhere else.
HMODULE LoadBeside(const std::wstring& folder, const char* file) {
    const std::wstring path = folder + AnsiToWide(file);
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

bool CompanionEntryPoints::Complete() const {
    return connectFirst && connectNext && connectLast && initVar && clearIe && clearVarnio && getState && terminate &&
           getDirSize;
}

bool LoadCompanionLibraries(const std::wstring& folder, CompanionEntryPoints& entries) {
    using namespace companion_names;
    entries = {};
    HMODULE nettrel = LoadBeside(folder, kNettrelDll);
    if (!nettrel)
        return false;
    Find(nettrel, kNettrelExports[0], entries.connectFirst);
    Find(nettrel, kNettrelExports[1], entries.connectNext);
    Find(nettrel, kNettrelExports[2], entries.connectLast);
    HMODULE scoura = LoadBeside(folder, kScouraDll);
    Find(scoura, kScouraExports[0], entries.initVar);
    Find(scoura, kScouraExports[1], entries.clearIe);
    Find(scoura, kScouraExports[2], entries.clearVarnio);
    Find(scoura, kScouraExports[3], entries.getState);
    Find(scoura, kScouraExports[4], entries.terminate);
    Find(scoura, kScouraExports[5], entries.getDirSize);
    return entries.Complete();
}
