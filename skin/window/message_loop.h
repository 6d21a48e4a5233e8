// The thread's message loop with message filters (asked newest first; one that returns true consumes
// the message) and idle handlers (run when the queue empties). A loop registers itself as its thread's
// loop for its lifetime, so windows created on the thread can add filters. Window thread only.
#pragma once
#include <windows.h>
#include <vector>

class CMessageFilter {
public:
    virtual ~CMessageFilter() = default;
    virtual bool PreTranslateMessage(MSG* msg) = 0;
};

class CIdleHandler {
public:
    virtual ~CIdleHandler() = default;
    // Returns true to be called again before the loop waits for the next message.
    virtual bool OnIdle() = 0;
};

class CMessageLoop {
public:
    CMessageLoop();
    ~CMessageLoop();
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;

    // The innermost live loop of the calling thread, or null.
    static CMessageLoop* ForThisThread();

    void AddMessageFilter(CMessageFilter* filter);
    bool RemoveMessageFilter(CMessageFilter* filter);
    void AddIdleHandler(CIdleHandler* handler);
    bool RemoveIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT and returns its exit code (wParam).
    int Run();
    // Offers the message to the filters, newest first; true when one consumed it.
    bool PreTranslateMessage(MSG* msg);
    // Runs every idle handler; true when any of them asks to be called again.
    bool OnIdle();

private:
    static bool IsIdleMessage(const MSG& msg);

    std::vector<CMessageFilter*> m_filters;  // not owned; newest last
    std::vector<CIdleHandler*> m_idleHandlers;  // not owned
    CMessageLoop* m_previous;
};
