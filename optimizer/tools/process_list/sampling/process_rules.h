// What the process list shows and how: exclusions, the CPU share arithmetic, cell texts and the order.
// Pure functions of values; any thread.
#pragma once
#include <string>

#include "optimizer/tools/process_list/sampling/process_record.h"

// Programs of the product line, the optimizer and updater, and Windows' shell and host processes
// (exact, case-sensitive names as the snapshot gives them).
bool IsExcludedProcessName(const std::wstring& exeName);
// Service accounts; an empty account (owner unknown) is excluded too.
bool IsExcludedAccount(const std::wstring& account);

// The CPU share since the record's previous sample, rounded to the nearest percent and kept within
// 0-100 (a reused process id can make the difference negative); stores `now` and `cpu` as the new
// previous sample. A record without a previous sample gets 0, so a new process first shows 0 %.
uint32_t SampleCpuShare(ProcessRecord& record, uint64_t now, uint64_t cpu);

std::wstring FormatCpuShare(uint32_t percent);  // "7%"
std::wstring FormatWorkingSet(double bytes);    // "1536.00M"
// Largest working set first; equal ones keep their snapshot order.
void SortByWorkingSet(ProcessList& list);
