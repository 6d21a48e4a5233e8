// CProcessSampler: takes one refresh of the process list from the system: the user's own processes with
// description, memory and CPU share, largest working set first. Keeps what it needs between refreshes
// (previous CPU samples; account and description of each process it has seen), so a steady refresh
// costs little more than opening each process. One thread at a time: built and first used on the window
// thread, then handed to the refresh thread.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "optimizer/tools/process_list/sampling/process_record.h"

class CProcessSampler {
public:
    CProcessSampler();

    // A new list; false (and `list` untouched) when no snapshot can be taken.
    bool Refresh(ProcessList& list);

private:
    struct Known {  // one process as first seen, told apart from a later one with its id
        uint64_t created = 0;
        bool listed = false;  // not excluded by its account
        std::wstring description;
    };
    struct Times {
        uint64_t wall = 0;
        uint64_t cpu = 0;
    };

    // What is known of the process; `isNew` when it was not seen before under this id and start time.
    const Known& Identify(uint32_t pid, void* process, uint64_t created, bool& isNew);

    uint64_t m_processors;
    std::unordered_map<uint32_t, Times> m_previous;
    std::unordered_map<uint32_t, Known> m_known;
    std::unordered_map<std::string, std::wstring> m_accounts;       // SID bytes -> account name
    std::unordered_map<std::wstring, std::wstring> m_descriptions;  // image path -> description
};
