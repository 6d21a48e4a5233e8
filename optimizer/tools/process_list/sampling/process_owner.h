// Who owns a process, as the process list judges it: the account of the process token, read with the
// rights the list opens processes with. Any thread.
#pragma once
#include <windows.h>

#include <string>

// What the list opens a process with; a process it cannot open this way is not listed.
constexpr DWORD kListedProcessRights = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

// The owner's SID bytes of an open process, or empty.
std::string OwnerSid(HANDLE process);
// The account name of SID bytes, or empty.
std::wstring AccountName(const std::string& sid);
// The owning account of process `pid`; empty when it cannot be opened with kListedProcessRights or its
// owner cannot be read.
std::wstring ProcessAccount(DWORD pid);
