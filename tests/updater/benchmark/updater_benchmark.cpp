// The updater's package download as it runs in a real update: the download task on a worker thread,
// reporting progress to a window whose thread pumps the messages, into the temporary folder; then the
// whole update path up to the installer's start: the package held, both digests read through the held
// handle, and the signature check (approximated by the SHA-256 of the signed statement). Printed next to
// the curl command-line tool measured by scripts/benchmark.sh on the same loopback server in the same
// run, with the receive buffer sizes of the transfer library and the digests alone.
//   updater_benchmark <url of the package> <curl seconds> <expected md5> <expected sha256>
// First: the transfer layer brings <winsock2.h>, which must come before <windows.h>.
#include "updater/install/task_movrel.h"

#include "common/md5_tools.h"
#include "common/sha256_digest.h"
#include "tests/updater/updater_test_support.h"
#include "updater/config/updater_folders.h"
#include "updater/install/movrel_messages.h"
#include "updater/install/package_check.h"
#include "updater/install/package_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
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

// Best seconds of three runs of `step`; `ok` ends false when any run failed.
double BestOfThree(const std::function<bool()>& step, bool& ok) {
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        const double start = Now();
        ok = step() && ok;
        best = std::min(best, Now() - start);
    }
    return best;
}

// The download task into `path`, its progress pumped on this thread as the progress window would.
bool TaskDownload(HWND window, const std::string& url, const std::wstring& path) {
    g_records = 0;
    CTaskMovrel task(window, std::make_shared<std::atomic<long>>(0), url, {}, nullptr);
    volatile bool done = false;
    CTaskMovrel::Download result;
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
    return result.complete && g_lastPercent == 90;
}

// From the finished download to the installer's start: held, both digests, the signed statement's digest.
bool CheckHeld(const std::wstring& path, const PackageDigests& expected) {
    AutoHandle held = HoldPackage(path);
    PackageDigests actual;
    if (!held || !ReadPackageDigests(held.Get(), actual) || !DigestsMatch(actual, expected))
        return false;
    const std::string statement = "VarnioUpdate\n1.1.06.06\n" + actual.sha256 + "\n";
    std::string digest;
    return Sha256OfBytes(statement.data(), statement.size(), digest);
}

size_t Discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

// The transfer library alone, the body discarded, with a receive buffer of `bytes`.
bool ReceiveOnly(const std::string& url, long bytes) {
    curl_space::CurlRequestScope request;
    CURL* handle = request.Handle();
    return handle && curl_easy_setopt(handle, CURLOPT_URL, url.c_str()) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, Discard) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, bytes) == CURLE_OK && curl_easy_perform(handle) == CURLE_OK;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: updater_benchmark <url> <curl seconds> <expected md5> <expected sha256>\n");
        return 2;
    }
    const std::string url = argv[1];
    const double curlSeconds = std::atof(argv[2]);
    const PackageDigests expected = {argv[3], argv[4]};
    HWND window = CreateMessageWindow(L"UpdaterBenchmarkProgress", &ProgressWindow, nullptr);
    const std::wstring path = TemporaryFolder() + PackageFileName(url);

    bool ok = true;
    const double bare = BestOfThree([&] {
        curl_space::CurlRequestScope request;
        CURLcode code = CURLE_OK;
        return curl_space::DownloadWithProgress(request.Handle(), url, path, nullptr, &code);
    }, ok);
    const double download = BestOfThree([&] { return TaskDownload(window, url, path); }, ok);
    const int records = g_records;
    const double md5Only = BestOfThree([&] { return md5_space::md5_tools::digest_file(path) == expected.md5; }, ok);
    const double held = BestOfThree([&] { return CheckHeld(path, expected); }, ok);
    const double whole = BestOfThree([&] { return TaskDownload(window, url, path) && CheckHeld(path, expected); }, ok);
    const double mb = FileSize(path) / (1024.0 * 1024.0);
    ::DeleteFileW(path.c_str());

    const auto rate = [&](double seconds) { return mb / seconds; };
    const double ratio = curlSeconds / whole;
    std::printf("updater whole update path   %8.0f MB/s   curl   %8.0f MB/s   ratio %.2f (aim 0.95)%s\n", rate(whole),
                rate(curlSeconds), ratio, ratio >= 0.95 ? "" : "  below aim");
    std::printf("  download %.2f s + held check %.2f s (both digests read through the held file, and the signed\n"
                "  statement's SHA-256 standing in for the signature); curl %.2f s\n",
                download, held, curlSeconds);
    std::printf("  package download alone      %8.0f MB/s   ratio %.2f; the transfer layer alone %8.0f MB/s\n",
                rate(download), curlSeconds / download, rate(bare));
    std::printf("  before (download, then the MD5 of the file) %8.0f MB/s   ratio %.2f\n", rate(download + md5Only),
                curlSeconds / (download + md5Only));
    std::printf("  %d progress messages per run, bar ends at %d%%; MD5 alone %.2f s\n", records, g_lastPercent, md5Only);
    std::printf("  receive buffer (body discarded):");
    for (long kib : {16L, 64L, 512L, 4096L})
        std::printf("  %ld KiB %.0f MB/s", kib, rate(BestOfThree([&] { return ReceiveOnly(url, kib * 1024); }, ok)));
    std::printf("\n");
    return ok ? 0 : 1;
}
