#include "installer/helper/close_product.h"

#include <windows.h>

#include <algorithm>

#include "common/handles.h"
#include "installer/helper/product_processes.h"
#include "optimizer/core/services/service_journal.h"

namespace {

constexpr DWORD kUpdateCommandMs = 10000;  // the "update" run itself
constexpr DWORD kGraceMs = 5000;           // for the copies it ended to be gone
constexpr DWORD kEndMs = 5000;             // for the copies ended here

std::wstring LongPath(const std::wstring& path) {
    wchar_t full[MAX_PATH * 2] = {};
    const DWORD length = ::GetLongPathNameW(path.c_str(), full, ARRAYSIZE(full));
    return length > 0 && length < ARRAYSIZE(full) ? std::wstring(full, length) : path;
}

// Runs "<folder>\Sorvik.exe update" hidden and waits for it; the program ends every other copy itself.
void RunUpdateCommand(const std::wstring& folder) {
    const std::wstring program = folder + L"\\Sorvik.exe";
    if (::GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    std::wstring commandLine = L"\"" + program + L"\" update";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &info)) {
        return;
    }
    AutoHandle process(info.hProcess);
    AutoHandle thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), kUpdateCommandMs) != WAIT_OBJECT_0)
        ::TerminateProcess(process.Get(), 0);
}

bool EndLeftovers(const std::vector<RunningProgram>& programs) {
    return programs.empty() || WaitForPrograms(programs, kGraceMs) || EndPrograms(programs, kEndMs);
}

}  // namespace

bool CloseProduct(const std::wstring& folder, bool everyProgram) {
    const std::wstring dir = LongPath(folder);
    RunUpdateCommand(dir);
    bool ended = EndLeftovers(ProgramsInFolder(RunningPrograms(L"Sorvik.exe"), dir));
    if (everyProgram) {
        // An uninstaller run in place lies in the folder too: it is the one process to spare.
        std::vector<RunningProgram> others = ProgramsInFolder(RunningPrograms(), dir);
        const DWORD parent = ParentProcessId();
        others.erase(
            std::remove_if(others.begin(), others.end(), [parent](const RunningProgram& p) { return p.pid == parent; }),
            others.end());
        ended = EndPrograms(others, kEndMs) && ended;
    }
    // Only now: a Sorvik ended in game mode could not restore its services itself.
    CServiceJournal journal;
    RestartJournalledServices(journal);
    return ended;
}
