#include "optimizer/tools/process_list/sampling/process_owner.h"

#include <vector>

#include "common/handles.h"

// A user's SID fits the first buffer, which saves the call that only asks for the size.
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
    if (sid.empty() || !::LookupAccountSidW(nullptr, &copy[0], name, &nameChars, domain, &domainChars, &use))
        return {};
    return name;
}

std::wstring ProcessAccount(DWORD pid) {
    AutoHandle process(::OpenProcess(kListedProcessRights, FALSE, pid));
    return process ? AccountName(OwnerSid(process.Get())) : std::wstring();
}
