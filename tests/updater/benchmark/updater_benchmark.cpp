// The updater's package download as it runs in a real update: the download task on a worker thread,
// reporting progress to a window whose thread pumps the messages, into the temporary folder; then the
// digest check. Printed next to the curl command-line tool measured by scripts/benchmark.sh on the same
// loopback server in the same run.
//   updater_benchmark <url of the package> <curl seconds> <expected md5>
// First: the transfer layer brings <winsock2.h>, which must come before <windows.h>.
#include "updater/install/task_movrel.h"

#include "common/md5_tools.h"
#include "tests/updater/updater_test_support.h"
#include "updater/config/updater_folders.h"
#include "updater/install/movrel_messages.h"
#include "updater/install/package_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

namespace {
int g_records = 0;
int g_lastPercent = -1;

LRESULT CALLBACK ProgressWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_MOVREL_PROGRESS)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    std::unique_ptr<DownloadProgress> record(reinterpret_cast<DownloadProgress*>(wParam));
    ++g_records;
    g_lastPercent = DownloadPercent(record->total, record->now);
    return 0;
}

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

unsigned long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (unsigned long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: updater_benchmark <url> <curl seconds> <expected md5>\n");
        return 2;
    }
    const std::string url = argv[1];
    const double curlSeconds = std::atof(argv[2]);
    HWND window = CreateMessageWindow(L"UpdaterBenchmarkProgress", &ProgressWindow, nullptr);
    const std::wstring path = TemporaryFolder() + PackageFileName(url);

    double best = 1e30, bareBest = 1e30;
    bool complete = true;
    for (int run = 0; run < 3; ++run) {
        // The transfer layer alone, same file and server, interleaved so both see the same machine.
        const double bareStart = Now();
        {
            curl_space::CurlRequestScope request;
            CURLcode code = CURLE_OK;
            complete = curl_space::DownloadWithProgress(request.Handle(), url, path, nullptr, &code) && complete;
        }
        bareBest = std::min(bareBest, Now() - bareStart);

        g_records = 0;
        CTaskMovrel task(window, std::make_shared<std::atomic<long>>(0), url, {argv[3], ""}, nullptr);
        volatile bool done = false;
        CTaskMovrel::Download result;
        const double start = Now();
        std::thread worker([&] {
            result = task.DownloadPackage(path);
            done = true;
            ::PostMessageW(window, WM_NULL, 0, 0);
        });
        MSG msg;
        while (!done && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        worker.join();
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        const double seconds = Now() - start;
        complete = complete && result.complete && g_lastPercent == 90;
        if (seconds < best)
            best = seconds;
    }
    const double mb = FileSize(path) / (1024.0 * 1024.0);
    const double verifyStart = Now();
    const bool verified = md5_space::md5_tools::digest_file(path) == argv[3];
    const double verifySeconds = Now() - verifyStart;
    ::DeleteFileW(path.c_str());

    const double ratio = curlSeconds / best;
    std::printf("updater package download    %8.0f MB/s   curl   %8.0f MB/s   ratio %.2f (aim 0.95)%s\n", mb / best,
                mb / curlSeconds, ratio, ratio >= 0.95 ? "" : "  below aim");
    std::printf("  the transfer layer alone %8.0f MB/s: the task keeps %.2f of it\n", mb / bareBest, bareBest / best);
    std::printf("  %d progress messages per run, bar ends at %d%%; digest check %.2f s (%s)\n", g_records,
                g_lastPercent, verifySeconds, verified ? "matches" : "MISMATCH");
    return complete && verified ? 0 : 1;
}
