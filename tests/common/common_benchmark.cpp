// Throughput of the MD5 file digest and of the transfer layer's downloads, printed next to figures
// of md5sum and the curl command-line tool measured by scripts/benchmark.sh on the same file and server.
//   common_benchmark <file> <url of the same file> <md5sum seconds> <curl seconds> <expected md5>
#include "common/curl_transfer.h"
#include "common/md5_tools.h"
#include "common/text_encoding.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

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
    const bool sameBytes = md5_space::md5_tools::digest_file(target) == argv[5];
    const double progressSeconds = BestSeconds([&] {
        curl_space::CurlRequestScope request;
        CURLcode code;
        progressOk = curl_space::DownloadWithProgress(request.Handle(), url, target, nullptr, &code) && progressOk;
    });
    ::DeleteFileW(target.c_str());
    const double discard16k = BestSeconds([&] { ReceiveOnly(url, 0); });
    const double discard4m = BestSeconds([&] { ReceiveOnly(url, 4 * 1024 * 1024); });
    std::string bytes(64 << 20, 'x');
    const double memorySeconds = BestSeconds([&] { md5_space::md5_tools::digest(bytes); }) * (mb / 64);

    std::printf("file: %.0f MB, best of 3 runs each\n", mb);
    PrintRow("md5_tools::digest_file", mb, md5Seconds, md5sumSeconds, "md5sum", 0.8);
    PrintRow("DownloadToFile", mb, fileSeconds, curlSeconds, "curl", 0.9);
    PrintRow("DownloadWithProgress", mb, progressSeconds, curlSeconds, "curl", 0.9);
    std::printf("for reference, under Wine: libcurl body discarded %.0f MB/s (16 KB buffer), %.0f MB/s (4 MB);"
                " MD5 of bytes in memory %.0f MB/s\n", mb / discard16k, mb / discard4m, mb / memorySeconds);
    const bool digestOk = digest == argv[5];
    std::printf("checks: digest %s, downloads %s\n", digestOk ? "matches md5sum" : "DIFFERS from md5sum",
                fileOk && progressOk && sameBytes ? "complete and identical" : "FAILED");
    return digestOk && fileOk && progressOk && sameBytes ? 0 : 1;
}
