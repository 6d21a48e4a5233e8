// PipelinedFileWriter: writes a stream of blocks to a new file on a thread of its own, so that a
// download receives the next block while the last one goes to disk. One producer thread calls
// Append and Finish; the writer's thread is private. Failures are results: a refused Append or Finish.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "common/handles.h"

class PipelinedFileWriter {
public:
    PipelinedFileWriter() = default;
    ~PipelinedFileWriter();
    PipelinedFileWriter(const PipelinedFileWriter&) = delete;
    PipelinedFileWriter& operator=(const PipelinedFileWriter&) = delete;

    // Creates (or empties) the file and starts the writer; false when either fails.
    bool Create(const std::wstring& path);
    // Queues bytes; false once any earlier write failed, so the download stops there.
    bool Append(const char* data, size_t size);
    // Writes what is left, waits for it and closes the file; true only when every byte reached it.
    bool Finish();

private:
    static DWORD WINAPI WriterThread(void* self);
    void WriteLoop();
    bool HandOver();  // passes the filled buffer to the writer once it is idle

    AutoHandle m_file, m_thread;
    std::vector<char> m_filling, m_writing;  // the producer's buffer, the writer's buffer
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_pending = false, m_stop = false, m_failed = false;
};
