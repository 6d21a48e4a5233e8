#include "optimizer/tools/process_list/sampling/process_sampler.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <vector>

#include "common/handles.h"
#include "optimizer/tools/process_list/sampling/file_description.h"
#include "optimizer/tools/process_list/sampling/process_rules.h"

namespace {
constexpr DWORD kProcessRights = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
constexpr DWORD kPathChars = 1024;

uint64_t FromFileTime(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

uint64_t Now() {
    FILETIME now = {};
    ::GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

// The owner's SID bytes of an open process, or empty. A user's SID fits the first buffer, which saves
// the call that only asks for the size.
std::string OwnerSid(HANDLE process) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    AutoHandle owner(token);
    std::vector<BYTE> buffer(sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE);
    DWORD size = 0;
    if (!::GetTokenInformation(token, TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size)) {
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
            return {};
        buffer.resize(size);
        if (!::GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
            return {};
    }
    PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    if (!::IsValidSid(sid))
        return {};
    return std::string(static_cast<const char*>(sid), ::GetLengthSid(sid));
}

std::wstring AccountName(const std::string& sid) {
    wchar_t name[256] = {}, domain[256] = {};
    DWORD nameChars = 256, domainChars = 256;
    SID_NAME_USE use;
    std::string copy = sid;  // LookupAccountSid takes a non-const SID
    if (!::LookupAccountSidW(nullptr, &copy[0], name, &nameChars, domain, &domainChars, &use))
        return {};
    return name;
}

std::wstring ImagePath(HANDLE process) {
    // Unlike GetModuleFileNameEx this also names 64-bit processes to the 32-bit optimizer.
    wchar_t path[kPathChars] = {};
    DWORD chars = kPathChars;
    if (!::QueryFullProcessImageNameW(process, 0, path, &chars))
        return {};
    return std::wstring(path, chars);
}
}  // namespace

CProcessSampler::CProcessSampler() {
    SYSTEM_INFO info = {};
    ::GetSystemInfo(&info);
    m_processors = info.dwNumberOfProcessors ? info.dwNumberOfProcessors : 1;
}

const CProcessSampler::Known& CProcessSampler::Identify(uint32_t pid, void* process, uint64_t created, bool& isNew) {
    auto found = m_known.find(pid);
    isNew = !(found != m_known.end() && found->second.created == created && created != 0);
    if (!isNew)
        return found->second;
    Known known;
    known.created = created;
    const std::string sid = OwnerSid(process);
    if (!sid.empty()) {
        auto account = m_accounts.find(sid);
        if (account == m_accounts.end())
            account = m_accounts.emplace(sid, AccountName(sid)).first;
        known.listed = !IsExcludedAccount(account->second);
    }
    if (known.listed) {
        const std::wstring path = ImagePath(process);
        auto description = m_descriptions.find(path);
        if (description == m_descriptions.end())
            description = m_descriptions.emplace(path, FileDescription(path)).first;
        known.description = description->second;
    }
    return m_known[pid] = std::move(known);
}

bool CProcessSampler::Refresh(ProcessList& list) {
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return false;
    PROCESSENTRY32W entry = {sizeof(entry)};
    if (!::Process32FirstW(snapshot.Get(), &entry))
        return false;

    ProcessList fresh;
    std::unordered_map<uint32_t, Times> samples;
    std::unordered_map<uint32_t, Known> seen;
    do {
        const std::wstring exeName = entry.szExeFile;
        if (IsExcludedProcessName(exeName))
            continue;
        const uint32_t pid = entry.th32ProcessID;
        AutoHandle process(::OpenProcess(kProcessRights, FALSE, pid));
        if (!process)
            continue;
        const uint64_t now = Now();
        FILETIME created = {}, exited = {}, kernel = {}, user = {};
        const bool timed = ::GetProcessTimes(process.Get(), &created, &exited, &kernel, &user) != FALSE;
        bool isNew = false;
        const Known& known = Identify(pid, process.Get(), timed ? FromFileTime(created) : 0, isNew);
        seen.emplace(pid, known);
        if (!known.listed)
            continue;

        ProcessRecord record;
        record.pid = pid;
        record.exeName = exeName;
        record.description = known.description;
        PROCESS_MEMORY_COUNTERS memory = {sizeof(memory)};
        if (::GetProcessMemoryInfo(process.Get(), &memory, sizeof(memory)))
            record.workingSet = static_cast<double>(memory.WorkingSetSize);
        // A new process under a reused id starts afresh, at 0 %.
        auto previous = isNew ? m_previous.end() : m_previous.find(pid);
        if (previous != m_previous.end()) {
            record.lastWallTime = previous->second.wall;
            record.lastCpuTime = previous->second.cpu;
        }
        if (timed) {
            const uint64_t cpu = (FromFileTime(kernel) + FromFileTime(user)) / m_processors;
            record.cpuPercent = SampleCpuShare(record, now, cpu);
        }
        samples[pid] = {record.lastWallTime, record.lastCpuTime};
        fresh.push_back(std::move(record));
    } while (::Process32NextW(snapshot.Get(), &entry));

    // Only processes still running are remembered, so the caches stay as small as the list.
    m_previous.swap(samples);
    m_known.swap(seen);
    SortByWorkingSet(fresh);
    list.swap(fresh);
    return true;
}
