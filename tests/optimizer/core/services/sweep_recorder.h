// A real window that records the sweep messages posted to it, and a bounded message pump.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

struct RecordedMessage {
    UINT message;
    LPARAM lParam;
    bool operator==(const RecordedMessage& other) const { return message == other.message && lParam == other.lParam; }
};

class CSweepRecorder {
public:
    CSweepRecorder();
    ~CSweepRecorder();
    CSweepRecorder(const CSweepRecorder&) = delete;
    CSweepRecorder& operator=(const CSweepRecorder&) = delete;

    HWND Window() const { return m_hwnd; }
    const std::vector<RecordedMessage>& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }
    bool Saw(UINT message) const;

    // Dispatches this thread's messages until done() holds or timeoutMs pass; returns done().
    static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
    std::vector<RecordedMessage> m_messages;
};
