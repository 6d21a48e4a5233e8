// The stand-in Nettrel as a test program loads it: from where the build put it (the program's
// SORVIK_FAKE_NETTREL_PATH), once for the whole program, and its entry points by name.
#pragma once
#include <windows.h>

#include "tests/support/built_file.h"
#include "tests/support/fake_nettrel/fake_nettrel.h"

// Null when the library did not load.
inline HMODULE FakeNettrel() {
    static HMODULE module = ::LoadLibraryW(BuiltFilePath(SORVIK_FAKE_NETTREL_PATH).c_str());
    return module;
}

// An entry point of the stand-in, null when missing.
template <typename Fn>
Fn FakeNettrelExport(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(FakeNettrel(), name)));
}
