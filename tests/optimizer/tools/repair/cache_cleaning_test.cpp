// The shared cleaning steps on real folders inside a sandbox.
#include <gtest/gtest.h>

#include "optimizer/tools/repair/cache_cleaning/folder_tree.h"
#include "tests/optimizer/tools/repair/cache_sandbox.h"

namespace {

class CountingSink final : public CleaningSink {
public:
    explicit CountingSink(int stopAfter = -1) : m_stopAfter(stopAfter) {}
    bool StopRequested() override { return m_stopAfter >= 0 && deletions >= m_stopAfter; }
    void Deleted(uint64_t size) override {
        bytes += size;
        ++deletions;
    }
    uint64_t bytes = 0;
    int deletions = 0;

private:
    int m_stopAfter;
};

TEST(FolderTree, DeletesTheTreeButNotFilesInUseNorWhatALinkPointsTo) {
    CCacheSandbox sandbox;
    sandbox.AddFile(L"cache\\a.dat", 100);
    sandbox.AddFile(L"cache\\sub\\b.dat", 2000);
    sandbox.AddFile(L"cache\\sub\\deeper\\c.dat", 30000);
    sandbox.AddFile(L"cache\\readonly.dat", 400);
    ::SetFileAttributesW(sandbox.Path(L"cache\\readonly.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    sandbox.AddFile(L"cache\\locked.dat", 5000);
    sandbox.AddFile(L"outside\\keep1.dat", 7);
    sandbox.AddFile(L"outside\\deeper\\keep2.dat", 7);
    ASSERT_TRUE(sandbox.MakeFolderLink(L"cache\\link", L"outside"));

    CountingSink sizer;
    EXPECT_EQ(100u + 2000 + 30000 + 400 + 5000, FolderSize(sandbox.Path(L"cache"), sizer));

    HANDLE locked =
        ::CreateFileW(sandbox.Path(L"cache\\locked.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    CountingSink sink;
    EXPECT_TRUE(DeleteFolderTree(sandbox.Path(L"cache"), sink));
    ::CloseHandle(locked);

    EXPECT_EQ(100u + 2000 + 30000 + 400, sink.bytes);
    EXPECT_EQ(1u, sandbox.CountFiles(L"cache"));
    EXPECT_TRUE(sandbox.Exists(L"cache\\locked.dat"));
    EXPECT_FALSE(sandbox.Exists(L"cache\\sub"));
    EXPECT_TRUE(sandbox.Exists(L"outside\\keep1.dat"));
    EXPECT_TRUE(sandbox.Exists(L"outside\\deeper\\keep2.dat"));
}

TEST(FolderTree, AFolderSettingThatIsItselfALinkLosesOnlyTheLink) {
    CCacheSandbox sandbox;
    sandbox.AddFile(L"outside\\keep.dat", 7);
    ASSERT_TRUE(sandbox.MakeFolderLink(L"cache", L"outside"));
    CountingSink sink;
    EXPECT_EQ(0u, FolderSize(sandbox.Path(L"cache"), sink));
    EXPECT_TRUE(DeleteFolderTree(sandbox.Path(L"cache"), sink));
    EXPECT_EQ(0, sink.deletions);
    EXPECT_TRUE(sandbox.Exists(L"outside\\keep.dat"));
}

TEST(FolderTree, AStopRequestEndsTheDeletionBetweenTwoFiles) {
    CCacheSandbox sandbox;
    for (int i = 0; i < 10; ++i)
        sandbox.AddFile(L"cache\\f" + std::to_wstring(i), 10);
    CountingSink sink(3);
    EXPECT_FALSE(DeleteFolderTree(sandbox.Path(L"cache"), sink));
    EXPECT_EQ(3, sink.deletions);
    EXPECT_EQ(7u, sandbox.CountFiles(L"cache"));
}

}  // namespace
