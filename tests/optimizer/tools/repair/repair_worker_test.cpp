// The repair worker on real folders inside a sandbox and on the real URL cache, seen through the
// messages its window receives.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>
#include <wininet.h>

#include <string>
#include <vector>

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

// A finished run: percentages within 0-100 that never go back, 100, then the done message last with
// how the product cache step ended.
void ExpectFinishedRun(const std::vector<RecordedMessage>& messages,
                       const std::wstring& what,
                       ProductCacheResult product = ProductCacheResult::Cleaned) {
    SCOPED_TRACE(testing::PrintToString(what));
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(WM_REPAIR_DONE, messages.back().message);
    EXPECT_EQ(static_cast<LPARAM>(product), messages.back().lParam);
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

// A machine inside the sandbox's "system" folder: each protected folder, the system folder it stands for
// (none: another user's profile, which the system does not name) and whether its sub-folders are
// refused too.
struct SandboxFolder {
    const wchar_t* path;
    std::vector<CFolderGuard::SystemFolder> kind;  // one or none
    bool tree;
};
const SandboxFolder kSandboxSystem[] = {
    {L"Windows", {CFolderGuard::SystemFolder::Windows}, true},
    {L"Program Files", {CFolderGuard::SystemFolder::ProgramFiles}, true},
    {L"Program Files (x86)", {CFolderGuard::SystemFolder::ProgramFiles}, true},
    {L"ProgramData", {CFolderGuard::SystemFolder::ProgramData}, false},
    {L"Users", {CFolderGuard::SystemFolder::Profiles}, true},
    {L"Users\\other", {}, true},
    {L"Users\\Public", {}, true},
    {L"Users\\me", {CFolderGuard::SystemFolder::OwnProfile}, false},
    {L"Users\\me\\Desktop", {CFolderGuard::SystemFolder::OwnFolders}, false},
    {L"Users\\me\\Pictures", {CFolderGuard::SystemFolder::OwnMedia}, true},
    {L"Users\\me\\Music", {CFolderGuard::SystemFolder::OwnMedia}, true},
    {L"Users\\me\\Videos", {CFolderGuard::SystemFolder::OwnMedia}, true},
    {L"Users\\me\\Downloads", {CFolderGuard::SystemFolder::OwnMedia}, true},
    {L"Users\\me\\Favorites", {CFolderGuard::SystemFolder::OwnMedia}, true},
    {L"Users\\me\\Saved Games", {CFolderGuard::SystemFolder::OwnMedia}, true},
    {L"Users\\me\\OneDrive", {CFolderGuard::SystemFolder::OwnMedia}, true},
    {L"Boot", {CFolderGuard::SystemFolder::BootAndRecovery}, true},
    {L"Recovery", {CFolderGuard::SystemFolder::BootAndRecovery}, true},
};

TEST(RepairWorker, FolderSettingsThatMustNotBeCleanedDeleteNothingAndSaySo) {
    CCacheSandbox sandbox;
    CSandboxDrive drive(sandbox);  // "\", "/" and the drive's own forms lead into the sandbox, never further
    ASSERT_TRUE(drive.Ready());
    sandbox.AddFile(L"drive\\inside\\cache\\relative.dat", 10);
    const auto system = [&](const std::wstring& path) { return sandbox.Path(L"system\\" + path); };
    // Every protected folder holds a file and a sub-folder with one.
    for (const SandboxFolder& folder : kSandboxSystem) {
        sandbox.AddFile(L"system\\" + std::wstring(folder.path) + L"\\file.dat", 10);
        sandbox.AddFile(L"system\\" + std::wstring(folder.path) + L"\\cache\\file.dat", 10);
    }
    const CFolderGuard guard = CFolderGuard::FromSystemFolders([&](CFolderGuard::SystemFolder which) {
        std::vector<std::wstring> paths;
        for (const SandboxFolder& folder : kSandboxSystem) {
            if (!folder.kind.empty() && folder.kind[0] == which)
                paths.push_back(system(folder.path));
        }
        return paths;
    });
    // Like "C:\Documents and Settings": a junction that gives the profiles a second name; and links to one
    // user folder and into another user's profile.
    ASSERT_TRUE(sandbox.MakeFolderLink(L"legacy", L"system\\Users"));
    ASSERT_TRUE(sandbox.MakeFolderLink(L"pictures", L"system\\Users\\me\\Pictures"));
    sandbox.AddFolder(L"system\\Users\\me\\AppData\\Local");
    ASSERT_TRUE(sandbox.MakeFolderLink(L"system\\Users\\me\\AppData\\Local\\cache", L"system\\Users\\other\\cache"));
    const size_t files = sandbox.CountFiles();

    const std::wstring letter = drive.Letter();
    std::vector<std::wstring> settings = {L"\\", L"/", letter + L"\\", letter, letter + L"/", L"cache", L".\\cache"};
    for (const SandboxFolder& folder : kSandboxSystem) {
        settings.push_back(system(folder.path));
        if (folder.tree)
            settings.push_back(system(folder.path) + L"\\cache");
    }
    settings.push_back(sandbox.Path(L"system\\Users\\me\\AppData\\..\\Pictures\\cache"));
    settings.push_back(sandbox.Path(L"system\\Users\\me\\AppData\\..\\..\\other\\cache"));
    settings.push_back(sandbox.Path(L"legacy\\me"));
    settings.push_back(sandbox.Path(L"legacy\\other\\cache"));
    settings.push_back(sandbox.Path(L"pictures"));
    settings.push_back(sandbox.Path(L"pictures\\cache"));
    settings.push_back(sandbox.Path(L"system\\Users\\me\\AppData\\Local\\cache"));
    for (const std::wstring& setting : settings) {
        ExpectFinishedRun(RunToEnd({setting, L"", guard}), setting, ProductCacheResult::Refused);
        EXPECT_EQ(files, sandbox.CountFiles()) << testing::PrintToString(setting);
    }

    // Beside them, caches inside the user's own folders and ProgramData's own sub-folders go.
    for (const wchar_t* cache :
         {L"system\\ProgramData\\cache", L"system\\Users\\me\\cache", L"system\\Users\\me\\Desktop\\cache"}) {
        ExpectFinishedRun(RunToEnd({sandbox.Path(cache), L"", guard}), cache);
        EXPECT_FALSE(sandbox.Exists(cache));
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
    const wchar_t* value;  // nullptr: no key; L"*": a folder of the sandbox; L"#": too long to be a path
    bool defaultCleaned;
    bool customCleaned;
    ProductCacheResult result;
};

TEST(RepairWorker, TakesTheProductFolderFromTheUsersSettings) {
    const SettingCase cases[] = {
        {L"no key: the default under the temporary folder", nullptr, true, false, ProductCacheResult::Cleaned},
        {L"empty: no product folder", L"", false, false, ProductCacheResult::Cleaned},
        {L"a folder", L"*", false, true, ProductCacheResult::Cleaned},
        {L"unreadable", L"#", false, false, ProductCacheResult::Unreadable},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        CCacheSandbox sandbox;
        sandbox.RedirectUserFolders();
        sandbox.AddFile(L"temp\\varnio\\data\\Cache\\default.dat", 10);
        sandbox.AddFile(L"custom\\custom.dat", 10);
        const std::wstring custom = sandbox.Path(L"custom");
        const std::wstring tooLong = custom + L"\\" + std::wstring(40000, L'x');
        const std::wstring value = c.value ? c.value : L"";
        sandbox.WriteCacheSetting(value == L"*" ? custom.c_str() : value == L"#" ? tooLong.c_str() : c.value);

        CMessageRecorder recorder(WM_REPAIR_PROGRESS, WM_REPAIR_DONE);
        CRepairWorker worker;
        ASSERT_TRUE(worker.Start(recorder.Window()));
        ASSERT_TRUE(recorder.WaitFor(WM_REPAIR_DONE, kRunTimeoutMs));
        EXPECT_EQ(static_cast<LPARAM>(c.result), recorder.Messages().back().lParam);
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
    EXPECT_EQ(deep, ReadProductCacheSetting().folder);
}

}  // namespace
