#include "common/pipelined_file_writer.h"

namespace {
// Large enough that a write is one cheap call per megabyte, small enough to stay near the cache.
constexpr size_t kBlockBytes = 1024 * 1024;
constexpr SIZE_T kWriterStackBytes = 64 * 1024;  // the loop holds nothing on its stack
}  // namespace

PipelinedFileWriter::~PipelinedFileWriter() {
    if (!m_thread)
        return;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stop = true;
    }
    m_changed.notify_all();
    ::WaitForSingleObject(m_thread.Get(), INFINITE);
}

bool PipelinedFileWriter::Create(const std::wstring& path) {
    m_file.Reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file)
        return false;
    m_filling.reserve(kBlockBytes);
    m_writing.reserve(kBlockBytes);
    m_thread.Reset(
        ::CreateThread(nullptr, kWriterStackBytes, WriterThread, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    return static_cast<bool>(m_thread);
}

bool PipelinedFileWriter::Append(const char* data, size_t size) {
    while (size) {
        const size_t room = kBlockBytes - m_filling.size();
        const size_t part = size < room ? size : room;
        m_filling.insert(m_filling.end(), data, data + part);
        data += part;
        size -= part;
        if (m_filling.size() == kBlockBytes && !HandOver())
            return false;
    }
    std::lock_guard<std::mutex> hold(m_lock);
    return !m_failed;
}

bool PipelinedFileWriter::Finish() {
    if (!m_thread)
        return false;
    bool written = m_filling.empty() || HandOver();
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait(hold, [this] { return !m_pending; });
        m_stop = true;
        written = written && !m_failed;
    }
    m_changed.notify_all();
    ::WaitForSingleObject(m_thread.Get(), INFINITE);
    m_thread.Reset();
    // A close that fails may have lost what the system still held for the file.
    return ::CloseHandle(m_file.Release()) && written;
}

bool PipelinedFileWriter::HandOver() {
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait(hold, [this] { return !m_pending; });
        if (m_failed)
            return false;
        m_writing.swap(m_filling);
        m_pending = true;
    }
    m_changed.notify_all();
    m_filling.clear();
    return true;
}

DWORD WINAPI PipelinedFileWriter::WriterThread(void* self) {
    static_cast<PipelinedFileWriter*>(self)->WriteLoop();
    return 0;
}

void PipelinedFileWriter::WriteLoop() {
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_changed.wait(hold, [this] { return m_pending || m_stop; });
        if (!m_pending)
            return;
        hold.unlock();
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(m_writing.size());
        const bool ok = ::WriteFile(m_file.Get(), m_writing.data(), size, &written, nullptr) && written == size;
        hold.lock();
        m_failed = m_failed || !ok;
        m_pending = false;
        m_changed.notify_all();
    }
}
