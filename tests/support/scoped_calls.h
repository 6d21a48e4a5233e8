// Puts a set of replaceable system calls in place for one scope and the previous set back after it, for
// tests that inject refused rights and failures into a thin layer (`Replace` installs and returns the
// set it replaced).
#pragma once

template <typename Calls, Calls (*Replace)(const Calls&)>
class ScopedCalls {
public:
    explicit ScopedCalls(const Calls& calls) : m_previous(Replace(calls)) {}
    ~ScopedCalls() { Replace(m_previous); }
    ScopedCalls(const ScopedCalls&) = delete;
    ScopedCalls& operator=(const ScopedCalls&) = delete;

private:
    Calls m_previous;
};
