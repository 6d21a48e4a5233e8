// Owns one Service Control Manager handle (manager or service) and closes it exactly once.
#pragma once
#include "common/handles.h"

class CServHandle {
public:
    explicit CServHandle(SC_HANDLE handle = nullptr) : m_handle(handle) {}
    virtual ~CServHandle() = default;
    CServHandle(const CServHandle&) = delete;
    CServHandle& operator=(const CServHandle&) = delete;

    SC_HANDLE Get() const { return m_handle.Get(); }
    explicit operator bool() const { return static_cast<bool>(m_handle); }

private:
    AutoScHandle m_handle;
};
