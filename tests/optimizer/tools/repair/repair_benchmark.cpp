// Deletion throughput of the cache cleaner on a generated cache tree of small files, next to the command
// shell's own recursive delete ("cmd /c rd /s /q") of an identical tree in the same run. Prints figures;
// it never fails on slow ones.
//   repair_benchmark [files, default 20000]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "optimizer/tools/repair/cache_cleaning/folder_tree.h"
#include "tests/optimizer/tools/repair/cache_sandbox.h"

namespace {

constexpr int kFilesPerFolder = 200;

class NullSink final : public CleaningSink {
public:
    bool StopRequested() override { return false; }
    void Deleted(uint64_t) override { ++files; }
    size_t files = 0;
};

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Folders of up to 200 files of 1 to 4 KB, like a browser cache.
void MakeCacheTree(const CCacheSandbox& sandbox, const std::wstring& name, int files) {
    for (int i = 0; i < files; ++i) {
        const std::wstring folder = name + L"\\" + std::to_wstring(i / kFilesPerFolder);
        sandbox.AddFile(folder + L"\\entry" + std::to_wstring(i) + L".dat", 1024 + (i % 4) * 1024);
    }
}

double RunShell(const std::wstring& command) {
    std::wstring line = L"cmd.exe /c " + command;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!::CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                          &process)) {
        return -1;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = Now() - start;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 20000;
    CCacheSandbox sandbox;
    std::printf("cache deletion: generating two trees of %d files...\n", files);
    MakeCacheTree(sandbox, L"ours", files);
    MakeCacheTree(sandbox, L"shell", files);

    NullSink sink;
    double start = Now();
    DeleteFolderTree(sandbox.Path(L"ours"), sink);
    const double ours = Now() - start;
    const double startup = RunShell(L"rem");
    const double shell = RunShell(L"rd /s /q \"" + sandbox.Path(L"shell") + L"\"");
    if (sink.files != size_t(files) || sandbox.Exists(L"ours") || sandbox.Exists(L"shell") || shell < 0) {
        std::printf("cache deletion: a tree was not deleted completely (ours %zu files)\n", sink.files);
        return 1;
    }
    const double ratio = shell / ours;
    std::printf(
        "cache deletion   %8.0f files/s   cmd rd /s /q %8.0f files/s (its start-up %.0f ms included)"
        "   ratio %.2f (aim 1.0)%s\n",
        files / ours, files / shell, startup * 1000, ratio, ratio >= 1.0 ? "" : "  below aim");
    return 0;
}
