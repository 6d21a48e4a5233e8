// Scoura.dll as the optimizer meets it: loaded from the product folder, its exports looked up by name,
// working on a sandboxed user's cache folder and on the real URL cache.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>
#include <wininet.h>

#include "optimizer/companions/companion_exports.h"
#include "tests/optimizer/tools/repair/cache_sandbox.h"
#include "tests/skin/window_test_support.h"

namespace {

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

bool InUrlCache(const wchar_t* url) {
    DWORD size = 0;
    return !::GetUrlCacheEntryInfoW(url, nullptr, &size) && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {sizeof(entry)};
    int threads = 0;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        threads += entry.th32OwnerProcessID == ::GetCurrentProcessId();
    ::CloseHandle(snapshot);
    return threads;
}

TEST(Scoura, MeasuresAndClearsTheCachesThroughItsExports) {
    CCacheSandbox sandbox;
    sandbox.RedirectUserFolders();  // before the library reads anything
    sandbox.AddFile(L"cache\\a.dat", 3000);
    sandbox.AddFile(L"cache\\sub\\b.dat", 5000);
    sandbox.AddFile(L"beside.dat", 10);
    sandbox.WriteCacheSetting(sandbox.Path(L"cache").c_str());

    HMODULE scoura = ::LoadLibraryW(SCOURA_PATH);
    ASSERT_TRUE(scoura);
    for (const char* name : companion_names::kScouraExports)
        EXPECT_TRUE(::GetProcAddress(scoura, name)) << name;
    const auto init = Export<VoInitVarFn>(scoura, "vo_init_var_interface");
    const auto size = Export<VoGetDirSizeFn>(scoura, "vo_get_init_dirtory_size");
    const auto clearIe = Export<VoClearIeFn>(scoura, "vo_clear_ie_interface");
    const auto clearVarnio = Export<VoClearVarnioFn>(scoura, "vo_clear_varnio_interface");
    const auto state = Export<VoGetStateFn>(scoura, "vo_get_state_interface");
    const auto terminate = Export<VoTerminateFn>(scoura, "vo_terminate_interface");
    ASSERT_TRUE(init && size && clearIe && clearVarnio && state && terminate);

    EXPECT_EQ(0, state());
    // The walk waits for the first request of its result, so a program that starts it while it opens
    // its window does not compete with its own start-up.
    const int threads = ThreadsOfThisProcess();
    EXPECT_EQ(1, init());
    EXPECT_EQ(threads, ThreadsOfThisProcess());
    ASSERT_TRUE(PumpUntil([&] { return size() != 0; }, 20000));
    EXPECT_GE(size(), 8000.0);  // the product folder, and whatever the browser's folder holds

    const wchar_t url[] = L"http://scoura-test.invalid/page";
    wchar_t file[MAX_PATH] = {};
    ASSERT_TRUE(::CreateUrlCacheEntryW(url, 0, L"htm", file, 0));
    ::CloseHandle(::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const FILETIME never = {};
    ASSERT_TRUE(::CommitUrlCacheEntryW(url, file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));
    ASSERT_TRUE(InUrlCache(url));
    EXPECT_EQ(1, clearIe());
    EXPECT_FALSE(InUrlCache(url));
    EXPECT_EQ(2, state());

    EXPECT_EQ(1, clearVarnio());
    EXPECT_EQ(0u, sandbox.CountFiles(L"cache"));
    EXPECT_TRUE(sandbox.Exists(L"beside.dat"));
    EXPECT_EQ(2, state());
    EXPECT_EQ(1, terminate());
    // Never freed, as in the optimizer.
}

}  // namespace
