#include "skin/files/image_decode.h"

#include <objbase.h>

#include <algorithm>
#include <atomic>

#include "skin/files/image_list.h"

namespace {
// The decoder's deepest call chain (stream, PNG inflate, format conversion) stays far below this.
constexpr SIZE_T kDecodeStackBytes = 256 * 1024;
}  // namespace

struct CImageDecodeRun::Job {
    std::vector<std::wstring> paths;
    std::vector<std::unique_ptr<Gdiplus::Bitmap>> images;
    std::atomic<size_t> next{0};

    // Takes paths until none is left; each slot is decoded by the one thread that took it.
    void Decode() {
        if (next >= paths.size())
            return;  // no session made for nothing
        CWicSession session;
        for (size_t i = next++; i < paths.size(); i = next++)
            images[i] = LoadSkinBitmap(paths[i], &session);
    }
};

DWORD WINAPI CImageDecodeRun::ThreadMain(void* param) {
    // The decoder may use COM; a thread of its own joins the multithreaded apartment for the run.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    try {
        static_cast<Job*>(param)->Decode();
    } catch (...) {
        // Out of memory: the slots not reached stay empty, as for missing files.
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return 0;
}

int DecodeThreadCount(size_t images, unsigned processors) {
    if (images < 2)
        return 0;
    return static_cast<int>(std::min<size_t>(images, std::max(1u, processors)));
}

CImageDecodeRun::CImageDecodeRun(std::vector<std::wstring> paths, int threads) : m_job(new Job) {
    m_job->paths = std::move(paths);
    m_job->images.resize(m_job->paths.size());
    for (int i = 0; i < threads; ++i) {
        AutoHandle thread(::CreateThread(nullptr, kDecodeStackBytes, ThreadMain, m_job.get(),
                                         STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
        if (!thread)
            break;  // the threads started, or Join itself, do the rest
        m_threads.push_back(std::move(thread));
    }
}

CImageDecodeRun::~CImageDecodeRun() {
    Join();
}

std::vector<std::unique_ptr<Gdiplus::Bitmap>> CImageDecodeRun::Join() {
    if (!m_job)
        return {};
    m_job->Decode();  // what the threads have not taken yet: the caller would only wait
    for (AutoHandle& thread : m_threads)
        ::WaitForSingleObject(thread.Get(), INFINITE);
    m_threads.clear();
    std::vector<std::unique_ptr<Gdiplus::Bitmap>> images = std::move(m_job->images);
    m_job.reset();
    return images;
}
