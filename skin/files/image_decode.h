// CImageDecodeRun: decodes skin image files on worker threads while the window thread does other work.
// The threads share one heap job (the paths, one result slot per path, the next path to take); each
// slot is written by exactly one thread and read only after Join. The run owns its threads and joins
// them when it is destroyed, so no thread outlives the job. Needs a live GDI+ session.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"

class CImageDecodeRun {
public:
    // Starts decoding `paths` (each as LoadSkinBitmap reads it) on up to `threads` threads; Join decodes
    // what they have not yet taken on the calling thread too (all of it when none started).
    CImageDecodeRun(std::vector<std::wstring> paths, int threads);
    ~CImageDecodeRun();
    CImageDecodeRun(const CImageDecodeRun&) = delete;
    CImageDecodeRun& operator=(const CImageDecodeRun&) = delete;

    // Waits for every thread and hands over the bitmaps, one per path in order (null: no file).
    std::vector<std::unique_ptr<Gdiplus::Bitmap>> Join();

private:
    struct Job;
    static DWORD WINAPI ThreadMain(void* job);
    std::unique_ptr<Job> m_job;
    std::vector<AutoHandle> m_threads;
};

// Threads worth starting for `images` decodes on `processors` processors: one per processor, never more
// than there are images, and none for a single image (the caller decodes it sooner itself).
int DecodeThreadCount(size_t images, unsigned processors);
