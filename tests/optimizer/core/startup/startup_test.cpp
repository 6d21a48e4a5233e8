// The real Sorvik.exe started under Wine from a copy of the product folder: the "update" mode, a second
// start, missing companion libraries, the statistics requests and the updater's launch.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "common/registry_text.h"
#include "common/text_encoding.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/startup/statistics_thread.h"
#include "optimizer/core/startup/updater_launch.h"
#include "tests/optimizer/core/startup/product_copy.h"
#include "tests/support/http/test_http_server.h"

using test_support::TestHttpServer;
using test_support::TestResponse;

namespace {

const char kProductKey[] = "SOFTWARE\\VarnioWorks\\Sorvik";

// Ends a copy through the tray's quit, which closes at once outside game mode.
void Quit(HWND window, HANDLE process) {
    ::PostMessageW(window, WM_COMMAND, kCmdTrayQuit, 0);
    if (::WaitForSingleObject(process, 30000) != WAIT_OBJECT_0)
        ::TerminateProcess(process, 9);
}

std::string ReadFileText(const std::wstring& path) {
    AutoHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return {};
    char buffer[4096] = {};
    DWORD got = 0;
    ::ReadFile(file.Get(), buffer, sizeof(buffer) - 1, &got, nullptr);
    return std::string(buffer, got);
}

}  // namespace

TEST(SorvikStart, UpdateEndsTheRunningCopyAndExitsWithOne) {
    ProductCopy copy;
    ASSERT_TRUE(copy.Complete());
    EXPECT_EQ(1u, copy.RunToExit(L"update")) << "also when no copy runs";

    AutoHandle first = copy.Start();
    ASSERT_TRUE(first);
    ASSERT_NE(nullptr, WaitForMainWindow(::GetProcessId(first.Get())));
    EXPECT_EQ(1u, copy.RunToExit(L"update"));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(first.Get(), 30000));
    DWORD code = 1;
    ::GetExitCodeProcess(first.Get(), &code);
    EXPECT_EQ(0u, code);
}

TEST(SorvikStart, ASecondStartBringsTheHiddenFirstCopyForwardAndExitsWithZero) {
    ProductCopy copy;
    ASSERT_TRUE(copy.Complete());
    AutoHandle first = copy.Start();
    ASSERT_TRUE(first);
    HWND window = WaitForMainWindow(::GetProcessId(first.Get()));
    ASSERT_NE(nullptr, window);
    // The window is found as soon as it is made; a close queued before start-up has shown it would hide
    // it again after the second copy has brought it forward.
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 30000));
    ::PostMessageW(window, WM_CLOSE, 0, 0);  // hides it to the tray
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window); }, 30000));

    EXPECT_EQ(0u, copy.RunToExit(L""));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 30000));
    EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(first.Get(), 0)) << "the first copy runs on";
    Quit(window, first.Get());
}

TEST(SorvikStart, AMissingCompanionLibraryEndsStartUpWithoutAWindowOrAMessage) {
    for (const wchar_t* library : {L"Nettrel.dll", L"Scoura.dll"}) {
        ProductCopy copy;
        ASSERT_TRUE(copy.Remove(library));
        AutoHandle process = copy.Start();
        ASSERT_TRUE(process);
        bool shown = false;
        // A message box would keep the process alive and show a window.
        const bool ended = WaitUntil(
            [&] {
                shown |= HasVisibleWindow(::GetProcessId(process.Get()));
                return ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
            },
            30000);
        EXPECT_TRUE(ended) << library;
        EXPECT_FALSE(shown) << library;
        if (!ended)
            ::TerminateProcess(process.Get(), 9);
    }
}

TEST(SorvikStart, StatisticsGoOutOnEveryStartAndTheUpdaterIsStartedWithTheProcessHandle) {
    TestHttpServer server;
    ASSERT_TRUE(server.Start());
    server.Route("/softwareinstall.do", TestResponse{200, "ok"});
    server.Route("/softwareactive.do", TestResponse{200, "ok"});
    server.Route("/api", TestResponse{200, "203.0.113.9"});
    ProductCopy copy;
    ASSERT_TRUE(copy.Complete());
    copy.PointServicesAt(server.Url(""));
    WriteRegistryText(HKEY_CURRENT_USER, kProductKey, "version", "1.0.0.1", REG_EXPAND_SZ);
    const std::wstring args = copy.Folder() + L"tavisk_args.txt";
    const std::regex identity(std::string("uuid=[0-9a-f]{32}&ip=[^&]*&version=") + install_record::kVersion +
                              "&pkgname=Sorvik_Setup\\.exe");

    // The updater starts after both requests: its record marks the thread's end.
    for (size_t run = 0; run < 2; ++run) {
        ::DeleteFileW(args.c_str());
        AutoHandle sorvik = copy.Start();
        ASSERT_TRUE(sorvik);
        HWND window = WaitForMainWindow(::GetProcessId(sorvik.Get()));
        ASSERT_TRUE(WaitUntil([&] { return !ReadFileText(args).empty(); }, 60000)) << "run " << run;
        const std::string record = ReadFileText(args);
        EXPECT_TRUE(std::regex_search(record, std::regex("-hdl [0-9]+\\r?\\n"))) << record;
        EXPECT_NE(std::string::npos, record.find("handle-pid=" + std::to_string(::GetProcessId(sorvik.Get()))))
            << "an inheritable handle of the optimizer's process: " << record;
        Quit(window, sorvik.Get());
    }

    const auto requests = server.Requests();
    std::vector<std::string> paths;
    for (const auto& request : requests)
        if (request.path != "/api")
            paths.push_back(request.path);
    // The installation request only while the recorded version differs; activity on every start.
    EXPECT_EQ((std::vector<std::string>{"/softwareinstall.do", "/softwareactive.do", "/softwareactive.do"}), paths);
    for (const auto& request : requests) {
        if (request.path == "/softwareinstall.do") {
            EXPECT_EQ(0u, request.query.find("soft_id=1&do=statinst&act=inst&source=1&uuid=")) << request.query;
            EXPECT_TRUE(std::regex_search(request.query, identity)) << request.query;
        } else if (request.path == "/softwareactive.do") {
            EXPECT_EQ(0u, request.query.find("soft_id=1&uuid=")) << request.query;
            EXPECT_TRUE(std::regex_search(request.query, identity)) << request.query;
        }
    }
    EXPECT_EQ(install_record::kVersion, ReadRegistryText(HKEY_CURRENT_USER, kProductKey, "version"));
    EXPECT_EQ(WideToAnsi(copy.Folder()), ReadRegistryText(HKEY_CURRENT_USER, kProductKey, "path"));
    EXPECT_EQ("Sorvik_Setup.exe", ReadRegistryText(HKEY_CURRENT_USER, kProductKey, "pkgname"));
}

TEST(SorvikStart, TheUpdaterInheritsTheProcessHandleAndNoOtherHandle) {
    ProductCopy copy;
    ASSERT_TRUE(copy.Complete());
    const std::wstring args = copy.Folder() + L"tavisk_args.txt";
    ::DeleteFileW(args.c_str());
    // Stands for a handle that is inheritable at the moment of the launch, such as the speed test's socket.
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    AutoHandle other(::CreateEventW(&inheritable, TRUE, FALSE, nullptr));
    ASSERT_TRUE(other);
    const std::wstring value = std::to_wstring(reinterpret_cast<uintptr_t>(other.Get()));
    ::SetEnvironmentVariableW(L"SORVIK_PROBE_EVENT", value.c_str());
    AutoHandle updater(LaunchUpdater(copy.Folder(), false));
    ::SetEnvironmentVariableW(L"SORVIK_PROBE_EVENT", nullptr);
    ASSERT_TRUE(updater);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(updater.Get(), 30000));
    const std::string record = ReadFileText(args);
    EXPECT_NE(std::string::npos, record.find("handle-pid=" + std::to_string(::GetCurrentProcessId()))) << record;
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(other.Get(), 0))
        << "the other handle stayed here";
}
