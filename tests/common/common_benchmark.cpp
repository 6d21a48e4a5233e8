// Throughput of the MD5 file digest and of the transfer layer's downloads, printed next to figures
// of md5sum and the curl command-line tool measured by scripts/benchmark.sh on the same file and server.
// The download with progress runs as the updater runs it: on a worker thread, with a progress object
// that posts every report as a heap record to a window on the main thread, which frees it.
//   common_benchmark <file> <url of the same file> <md5sum seconds> <curl seconds> <expected md5>
#include "common/curl_transfer.h"
#include "common/md5_tools.h"
#include "common/text_encoding.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace {

double Seconds(const std::function<void()>& run) {
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    run();
    ::QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// Best of three, as the shell script does for the native tools.
double BestSeconds(const std::function<void()>& run) {
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        double s = Seconds(run);
        if (s < best) best = s;
    }
    return best;
}

size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

// The same library on the same handle settings with the body thrown away: what the network costs alone.
void ReceiveOnly(const std::string& url, long bufferSize) {
    curl_space::CurlRequestScope request;
    curl_easy_setopt(request.Handle(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(request.Handle(), CURLOPT_WRITEFUNCTION, Discard);
    if (bufferSize) curl_easy_setopt(request.Handle(), CURLOPT_BUFFERSIZE, bufferSize);
    curl_easy_perform(request.Handle());
}

// Reports as the updater's download task does: one posted (total, so far) record per call.
class PostingProgress final : public curl_space::progress_callback_interface2 {
public:
    static constexpr UINT kProgressMessage = WM_APP + 35;
    explicit PostingProgress(HWND window) : m_window(window) {}
    int progress(double dltotal, double dlnow, double, double) override {
        auto* record = new double[2]{dltotal, dlnow};
        if (!::PostMessageW(m_window, kProgressMessage, reinterpret_cast<WPARAM>(record), 0)) delete[] record;
        return m_cancel ? 1 : 0;
    }

private:
    HWND m_window;
    std::atomic<bool> m_cancel{false};
};

// A message-only window on the calling thread that takes the progress records, as the progress window does.
struct ProgressReceiver {
    ProgressReceiver() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BenchmarkProgress";
        ::RegisterClassW(&wc);
        hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ProgressReceiver() { ::DestroyWindow(hwnd); }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != PostingProgress::kProgressMessage) return ::DefWindowProcW(hwnd, message, wParam, lParam);
        auto* self = reinterpret_cast<ProgressReceiver*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        auto* record = reinterpret_cast<double*>(wParam);
        if (self) {
            ++self->reports;
            if (record[0] > 0) self->percent = static_cast<int>(record[1] / record[0] * 90);
        }
        delete[] record;
        return 0;
    }
    HWND hwnd = nullptr;
    long reports = 0;
    int percent = -1;
};

// The download on a worker thread while this thread pumps the posted reports.
bool DownloadOnWorker(const std::string& url, const std::wstring& target, ProgressReceiver& receiver) {
    PostingProgress progress(receiver.hwnd);
    std::atomic<bool> done{false};
    bool ok = false;
    std::thread worker([&] {
        curl_space::CurlRequestScope request;
        CURLcode code = CURLE_OK;
        ok = curl_space::DownloadWithProgress(request.Handle(), url, target, &progress, &code);
        done = true;
        ::PostMessageW(receiver.hwnd, WM_NULL, 0, 0);  // wakes the pump
    });
    MSG msg;
    while (!done && ::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    worker.join();
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    return ok;
}

unsigned long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (unsigned long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

void PrintRow(const char* what, double mb, double ours, double theirs, const char* tool, double aim) {
    const double ratio = theirs / ours;
    std::printf("%-28s %8.0f MB/s   %-6s %8.0f MB/s   ratio %.2f (aim %.1f)%s\n", what, mb / ours, tool, mb / theirs,
                ratio, aim, ratio >= aim ? "" : "  below aim");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: common_benchmark <file> <url> <md5sum seconds> <curl seconds> <expected md5>\n");
        return 2;
    }
    const std::wstring file = AnsiToWide(argv[1]);
    const std::string url = argv[2];
    const double md5sumSeconds = std::atof(argv[3]);
    const double curlSeconds = std::atof(argv[4]);
    const double mb = FileSize(file) / (1024.0 * 1024.0);
    if (mb == 0) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }

    std::string digest;
    const double md5Seconds = BestSeconds([&] { digest = md5_space::md5_tools::digest_file(file); });

    const std::wstring target = file + L".download";
    bool fileOk = true, progressOk = true;
    const double fileSeconds = BestSeconds([&] {
        curl_space::CurlRequestScope request;
        fileOk = curl_space::DownloadToFile(request.Handle(), url, target) && fileOk;
    });
    const bool fileBytes = md5_space::md5_tools::digest_file(target) == argv[5];
    ::DeleteFileW(target.c_str());
    ProgressReceiver receiver;
    const double progressSeconds = BestSeconds([&] { progressOk = DownloadOnWorker(url, target, receiver) && progressOk; });
    const bool progressBytes = md5_space::md5_tools::digest_file(target) == argv[5];
    ::DeleteFileW(target.c_str());
    const double discard16k = BestSeconds([&] { ReceiveOnly(url, 0); });
    const double discard4m = BestSeconds([&] { ReceiveOnly(url, 4 * 1024 * 1024); });
    std::string bytes(64 << 20, 'x');
    const double memorySeconds = BestSeconds([&] { md5_space::md5_tools::digest(bytes); }) * (mb / 64);

    std::printf("file: %.0f MB, best of 3 runs each, %s\n", mb,
                sizeof(void*) == 8 ? "x86_64 build (NOT the shipped i686 programs)" : "i686 build, as shipped");
    PrintRow("md5_tools::digest_file", mb, md5Seconds, md5sumSeconds, "md5sum", 0.8);
    PrintRow("DownloadToFile", mb, fileSeconds, curlSeconds, "curl", 0.9);
    PrintRow("DownloadWithProgress", mb, progressSeconds, curlSeconds, "curl", 0.9);
    std::printf("progress: %ld reports posted and freed over 3 runs, last at %d%% of 90\n", receiver.reports,
                receiver.percent);
    std::printf("for reference, under Wine: libcurl body discarded %.0f MB/s (16 KB buffer), %.0f MB/s (4 MB);"
                " MD5 of bytes in memory %.0f MB/s\n", mb / discard16k, mb / discard4m, mb / memorySeconds);
    const bool digestOk = digest == argv[5];
    const bool downloadsOk = fileOk && progressOk && fileBytes && progressBytes && receiver.percent == 90;
    std::printf("checks: digest %s, both downloads %s\n", digestOk ? "matches md5sum" : "DIFFERS from md5sum",
                downloadsOk ? "complete and identical to the file" : "FAILED");
    return digestOk && downloadsOk ? 0 : 1;
}
