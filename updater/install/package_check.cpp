#include "updater/install/package_check.h"

#include "common/md5_tools.h"
#include "common/sha256_digest.h"

#include <functional>
#include <memory>
#include <new>
#include <thread>

namespace {
constexpr DWORD kReadBlockBytes = 1024 * 1024;

// Reads the whole held file from its start, each read at a position of its own, so that two readers
// can share the handle; false when a read fails or `take` refuses a block.
bool ForEachBlock(HANDLE held, const std::function<bool(const char*, DWORD)>& take) {
    // Not std::vector: a failed allocation on the second reader's thread would end the process.
    const std::unique_ptr<char[]> block(new (std::nothrow) char[kReadBlockBytes]);
    if (!block)
        return false;
    for (ULONGLONG at = 0;;) {
        OVERLAPPED position = {};
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD got = 0;
        if (!::ReadFile(held, block.get(), kReadBlockBytes, &got, &position))
            return ::GetLastError() == ERROR_HANDLE_EOF;
        if (got == 0)
            return true;
        if (!take(block.get(), got))
            return false;
        at += got;
    }
}
}  // namespace

AutoHandle HoldPackage(const std::wstring& path) {
    // The installer's own start opens the file for reading only, which this sharing still allows.
    return AutoHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

bool ReadPackageDigests(HANDLE held, PackageDigests& out) {
    md5_space::md5_tools md5;
    const auto readMd5 = [&] {
        return ForEachBlock(held, [&](const char* bytes, DWORD size) {
            md5.update(bytes, size);
            return true;
        });
    };
    CSha256Stream sha256;  // made before the second thread, which must never be left joinable by a throw
    // Side by side: the MD5 costs no time beyond the slower SHA-256.
    bool md5Read = false;
    std::thread second;
    try {
        second = std::thread([&] { md5Read = readMd5(); });
    } catch (...) {
        md5Read = readMd5();  // no thread to be had: one after the other
    }
    const bool sha256Read =
        ForEachBlock(held, [&](const char* bytes, DWORD size) { return sha256.Update(bytes, size); });
    if (second.joinable())
        second.join();
    out.md5 = md5.final();
    return sha256.Finish(out.sha256) && sha256Read && md5Read;
}
