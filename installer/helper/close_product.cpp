#include "installer/helper/close_product.h"

#include <windows.h>

#include <shellapi.h>

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

// Runs "<folder>\Sorvik.exe update" hidden through the shell, as the updater does, and waits for it;
// the program ends every other copy itself.
void RunUpdateCommand(const std::wstring& folder) {
    const std::wstring program = folder + L"\\Sorvik.exe";
    if (::GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = program.c_str();
    info.lpParameters = L"update";
    info.lpDirectory = folder.c_str();
    info.nShow = SW_HIDE;
    if (!::ShellExecuteExW(&info) || !info.hProcess)
        return;
    AutoHandle process(info.hProcess);
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
