// What a cache-cleaning run asks of its owner and tells it, always on the cleaning thread: whether to
// stop before the next entry, and how many bytes each deletion freed.
#pragma once
#include <cstdint>

class CleaningSink {
public:
    virtual bool StopRequested() = 0;
    virtual void Deleted(uint64_t bytes) = 0;

protected:
    ~CleaningSink() = default;
};
