// The repair worker on real folders inside a sandbox and on the real URL cache, seen through the
// messages its window receives.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>
#include <wininet.h>

#include <string>

#include "optimizer/tools/repair/cache_cleaning/cache_settings.h"
#include "optimizer/tools/repair/repair_messages.h"
#include "optimizer/tools/repair/repair_worker.h"
#include "tests/optimizer/tools/message_recorder.h"
#include "tests/optimizer/tools/repair/cache_sandbox.h"

namespace {

constexpr DWORD kRunTimeoutMs = 60000;

const CFolderGuard kNoProtectedFolders({{}, {}});

void AddUrlCacheEntry(const std::wstring& url, size_t bytes) {
    wchar_t file[MAX_PATH] = {};
    ASSERT_TRUE(::CreateUrlCacheEntryW(url.c_str(), static_cast<DWORD>(bytes), L"dat", file, 0));
    HANDLE handle = ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    const std::string data(bytes, 'u');
    DWORD written = 0;
    ::WriteFile(handle, data.data(), static_cast<DWORD>(bytes), &written, nullptr);
    ::CloseHandle(handle);
    const FILETIME never = {};
    ASSERT_TRUE(
        ::CommitUrlCacheEntryW(url.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));
}

// The bytes the cache needs to describe the entry; 0 when there is no such entry.
DWORD UrlCacheEntrySize(const std::wstring& url) {
    DWORD size = 0;
    if (::GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size) || ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return 0;
    return size;
}

void MakeSparseFile(const std::wstring& path, LONGLONG bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = bytes;
    EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
    ::CloseHandle(file);
}

// A finished run: percentages within 0-100 that never go back, 100, then the done message last.
void ExpectFinishedRun(const std::vector<RecordedMessage>& messages, const std::wstring& what) {
    SCOPED_TRACE(testing::PrintToString(what));
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(WM_REPAIR_DONE, messages.back().message);
    EXPECT_EQ(WM_REPAIR_PROGRESS, messages[messages.size() - 2].message);
    EXPECT_EQ(100, messages[messages.size() - 2].lParam);
    LPARAM last = 0;
    for (size_t i = 0; i + 1 < messages.size(); ++i) {
        EXPECT_EQ(WM_REPAIR_PROGRESS, messages[i].message);
        EXPECT_GE(messages[i].lParam, last);
        EXPECT_LE(messages[i].lParam, 100);
        last = messages[i].lParam;
    }
}

std::vector<RecordedMessage> RunToEnd(CachePlan plan) {
    CMessageRecorder recorder(WM_REPAIR_PROGRESS, WM_REPAIR_DONE);
    CRepairWorker worker;
    EXPECT_TRUE(worker.Start(recorder.Window(), std::move(plan)));
    EXPECT_TRUE(recorder.WaitFor(WM_REPAIR_DONE, kRunTimeoutMs));
    return recorder.Messages();
}

TEST(RepairWorker, EmptiesTheUrlCacheAndTheProductFolderAndEndsWithFullProgress) {
    CCacheSandbox sandbox;
    sandbox.AddFile(L"cache\\a.dat", 1000);
    sandbox.AddFile(L"cache\\sub\\b.dat", 3000);
    MakeSparseFile(sandbox.Path(L"cache\\big.dat"), 5LL << 30);  // counts whole: the percentage stays true
    sandbox.AddFile(L"ie\\measured_only.dat", 500);
    const std::wstring longUrl = L"http://repair-test.invalid/long/" + std::wstring(2000, L'x');
    const std::wstring urls[] = {L"http://repair-test.invalid/1", L"http://repair-test.invalid/2", longUrl};
    for (const std::wstring& url : urls)
        AddUrlCacheEntry(url, 700);
    ASSERT_GT(UrlCacheEntrySize(longUrl), 4096u);  // more than the first buffer holds

    const auto messages = RunToEnd({sandbox.Path(L"cache"), sandbox.Path(L"ie"), kNoProtectedFolders});

    ExpectFinishedRun(messages, L"full run");
    EXPECT_FALSE(sandbox.Exists(L"cache"));
    EXPECT_TRUE(sandbox.Exists(L"ie\\measured_only.dat"));
    for (const std::wstring& url : urls)
        EXPECT_EQ(0u, UrlCacheEntrySize(url)) << testing::PrintToString(url.substr(0, 40));
}

TEST(RepairWorker, FolderSettingsThatMustNotBeCleanedDeleteNothing) {
    CCacheSandbox sandbox;
    CSandboxDrive drive(sandbox);  // "\", "/" and the drive's own forms lead into the sandbox, never further
    ASSERT_TRUE(drive.Ready());
    sandbox.AddFile(L"drive\\inside\\cache\\relative.dat", 10);
    const wchar_t* systemFolders[] = {L"Windows", L"Windows\\System32", L"Windows\\Temp",      L"Program Files",
                                      L"Users",   L"Users\\me",         L"Users\\me\\Desktop", L"Users\\me\\Documents"};
    for (const wchar_t* folder : systemFolders)
        sandbox.AddFile(std::wstring(L"system\\") + folder + L"\\file.dat", 10);
    const CFolderGuard guard({{sandbox.Path(L"system\\Program Files"), sandbox.Path(L"system\\Windows\\System32"),
                               sandbox.Path(L"system\\Users\\me"), sandbox.Path(L"system\\Users\\me\\Desktop"),
                               sandbox.Path(L"system\\Users\\me\\Documents")},
                              {sandbox.Path(L"system\\Windows")}});
    // Like "C:\Documents and Settings": a junction that gives the profile a second name.
    ASSERT_TRUE(sandbox.MakeFolderLink(L"legacy", L"system\\Users"));
    const size_t files = sandbox.CountFiles();

    const std::wstring letter = drive.Letter();
    std::vector<std::wstring> settings = {L"\\", L"/", letter + L"\\", letter, letter + L"/", L"cache", L".\\cache"};
    for (const wchar_t* folder : systemFolders)
        settings.push_back(sandbox.Path(std::wstring(L"system\\") + folder));
    settings.push_back(sandbox.Path(L"legacy\\me"));
    for (const std::wstring& setting : settings) {
        ExpectFinishedRun(RunToEnd({setting, L"", guard}), setting);
        EXPECT_EQ(files, sandbox.CountFiles()) << testing::PrintToString(setting);
    }
}

TEST(RepairWorker, AMissingFolderOnlyAttemptsItsOwnRemoval) {
    CCacheSandbox sandbox;
    sandbox.AddFile(L"parent\\other.dat", 10);
    ExpectFinishedRun(RunToEnd({sandbox.Path(L"parent\\cache"), L"", kNoProtectedFolders}), L"missing");
    EXPECT_TRUE(sandbox.Exists(L"parent\\other.dat"));
}

TEST(RepairWorker, AStopEndsTheRunBetweenTwoDeletionsWithNoFurtherMessage) {
    CCacheSandbox sandbox;
    constexpr size_t kFiles = 300;
    for (size_t i = 0; i < kFiles; ++i)
        sandbox.AddFile(L"cache\\f" + std::to_wstring(i) + L".dat", 1024);
    CMessageRecorder recorder(WM_REPAIR_PROGRESS, WM_REPAIR_DONE);
    CRepairWorker worker;
    ASSERT_TRUE(worker.Start(recorder.Window(), {sandbox.Path(L"cache"), L"", kNoProtectedFolders}));
    ASSERT_TRUE(recorder.WaitFor(WM_REPAIR_PROGRESS, kRunTimeoutMs));

    worker.Stop();
    const size_t seen = recorder.Messages().size();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker.Thread(), 10000));
    PumpFor(300);

    EXPECT_EQ(seen, recorder.Messages().size());
    EXPECT_FALSE(recorder.Saw(WM_REPAIR_DONE));
    const size_t left = sandbox.CountFiles(L"cache");
    EXPECT_GT(left, 0u);
    EXPECT_LT(left, kFiles);
}

struct SettingCase {
    const wchar_t* name;
    const wchar_t* value;  // nullptr: no key; L"*": a folder of the sandbox
    bool defaultCleaned;
    bool customCleaned;
};

TEST(RepairWorker, TakesTheProductFolderFromTheUsersSettings) {
    const SettingCase cases[] = {
        {L"no key: the default under the temporary folder", nullptr, true, false},
        {L"empty: no product folder", L"", false, false},
        {L"a folder", L"*", false, true},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        CCacheSandbox sandbox;
        sandbox.RedirectUserFolders();
        sandbox.AddFile(L"temp\\varnio\\data\\Cache\\default.dat", 10);
        sandbox.AddFile(L"custom\\custom.dat", 10);
        const std::wstring custom = sandbox.Path(L"custom");
        sandbox.WriteCacheSetting(c.value && std::wstring(c.value) == L"*" ? custom.c_str() : c.value);

        CMessageRecorder recorder(WM_REPAIR_PROGRESS, WM_REPAIR_DONE);
        CRepairWorker worker;
        ASSERT_TRUE(worker.Start(recorder.Window()));
        ASSERT_TRUE(recorder.WaitFor(WM_REPAIR_DONE, kRunTimeoutMs));
        EXPECT_EQ(c.defaultCleaned, !sandbox.Exists(L"temp\\varnio\\data\\Cache\\default.dat"));
        EXPECT_EQ(c.customCleaned, !sandbox.Exists(L"custom\\custom.dat"));
    }
    wchar_t browser[MAX_PATH] = {};
    ASSERT_EQ(S_OK, ::SHGetFolderPathW(nullptr, CSIDL_INTERNET_CACHE, nullptr, SHGFP_TYPE_CURRENT, browser));
    EXPECT_EQ(0, ::lstrcmpiW(browser, ReadBrowserCacheFolder().c_str()))
        << testing::PrintToString(ReadBrowserCacheFolder());

    // A value past 260 characters is read whole, never cut to some shorter folder's name.
    CCacheSandbox sandbox;
    sandbox.RedirectUserFolders();
    const std::wstring deep = sandbox.Path(L"custom\\") + std::wstring(150, L'd') + L"\\" + std::wstring(150, L'e');
    sandbox.WriteCacheSetting(deep.c_str());
    EXPECT_EQ(deep, ReadProductCacheSetting());
}

}  // namespace
