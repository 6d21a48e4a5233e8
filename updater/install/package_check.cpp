#include "updater/install/package_check.h"

#include "common/md5_tools.h"
#include "common/sha256_digest.h"

#include <vector>

namespace {
constexpr DWORD kReadBlockBytes = 1024 * 1024;
}  // namespace

AutoHandle HoldPackage(const std::wstring& path) {
    // The installer's own start opens the file for reading only, which this sharing still allows.
    return AutoHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

bool ReadPackageDigests(HANDLE held, PackageDigests& out) {
    LARGE_INTEGER start = {};
    if (!::SetFilePointerEx(held, start, nullptr, FILE_BEGIN))
        return false;
    md5_space::md5_tools md5;
    CSha256Stream sha256;
    std::vector<char> block(kReadBlockBytes);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(held, block.data(), kReadBlockBytes, &got, nullptr))
            return false;
        if (got == 0)
            break;
        md5.update(block.data(), got);
        if (!sha256.Update(block.data(), got))
            return false;
    }
    out.md5 = md5.final();
    return sha256.Finish(out.sha256);
}
