// A stand-in for the programs the updater starts (the product's main program, the downloaded installer)
// and for the program that launches it. Each start appends one line "<file name>|<arguments>" to the file
// named by SORVIK_TEST_RECORD, so a test can read who ran, how and in which order.
//   linger <ms>   stay alive that long after recording (a launcher that does not end by itself)
// SORVIK_TEST_RUN_MS, when set, also keeps it alive that long (an installer that takes its time);
// SORVIK_TEST_EXIT_CODE, when set, is its exit code (an installer that fails), else 0.
#include <windows.h>

#include <string>

namespace {
std::wstring Variable(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD n = ::GetEnvironmentVariableW(name, value, ARRAYSIZE(value));
    return n > 0 && n < ARRAYSIZE(value) ? value : L"";
}

void Record(const std::wstring& line) {
    const std::wstring path = Variable(L"SORVIK_TEST_RECORD");
    if (path.empty())
        return;
    HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &bytes[0], size, nullptr, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);  // one write per line
    ::CloseHandle(file);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring name(self);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    std::wstring args(arguments ? arguments : L"");
    while (!args.empty() && args.back() == L' ')
        args.pop_back();
    Record(name + L"|" + args + L"\n");

    DWORD stay = static_cast<DWORD>(_wtoi(Variable(L"SORVIK_TEST_RUN_MS").c_str()));
    if (args.compare(0, 7, L"linger ") == 0)
        stay = static_cast<DWORD>(_wtoi(args.c_str() + 7));
    if (stay)
        ::Sleep(stay);
    return _wtoi(Variable(L"SORVIK_TEST_EXIT_CODE").c_str());
}
