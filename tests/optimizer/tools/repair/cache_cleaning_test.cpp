// The shared cleaning steps on real folders inside a sandbox.
#include <gtest/gtest.h>

#include <windows.h>

#include <winioctl.h>

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
    EXPECT_EQ(TreeResult::Done, DeleteFolderTree(sandbox.Path(L"cache"), sink));
    ::CloseHandle(locked);

    EXPECT_EQ(100u + 2000 + 30000 + 400, sink.bytes);
    EXPECT_EQ(1u, sandbox.CountFiles(L"cache"));
    EXPECT_TRUE(sandbox.Exists(L"cache\\locked.dat"));
    EXPECT_FALSE(sandbox.Exists(L"cache\\sub"));
    EXPECT_TRUE(sandbox.Exists(L"outside\\keep1.dat"));
    EXPECT_TRUE(sandbox.Exists(L"outside\\deeper\\keep2.dat"));
}

TEST(FolderTree, AFolderThatIsItselfALinkIsCleanedWhereItLeadsAndTheLinkStays) {
    CCacheSandbox sandbox;
    sandbox.AddFile(L"target\\a.dat", 7);
    sandbox.AddFile(L"target\\sub\\b.dat", 70);
    ASSERT_TRUE(sandbox.MakeFolderLink(L"cache", L"target"));
    CountingSink sink;
    EXPECT_EQ(77u, FolderSize(sandbox.Path(L"cache"), sink));
    EXPECT_EQ(TreeResult::Done, DeleteFolderTree(sandbox.Path(L"cache"), sink));
    EXPECT_EQ(77u, sink.bytes);
    EXPECT_EQ(0u, sandbox.CountFiles(L"target"));
    EXPECT_FALSE(sandbox.Exists(L"target\\sub"));
    EXPECT_TRUE(sandbox.Exists(L"target")) << "kept for the link";
    const DWORD link = ::GetFileAttributesW(sandbox.Path(L"cache").c_str());
    EXPECT_TRUE(link != INVALID_FILE_ATTRIBUTES && (link & FILE_ATTRIBUTE_REPARSE_POINT)) << "the link stays";
}

// Sizes are counted whole: a 32-bit count would make a 5 GB file 1 GB.
TEST(FolderTree, CountsFilesOfFourGigabytesAndMore) {
    CCacheSandbox sandbox;
    sandbox.AddFile(L"cache\\small.dat", 100);
    HANDLE file =
        ::CreateFileW(sandbox.Path(L"cache\\big.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 5LL << 30;
    EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
    ::CloseHandle(file);
    CountingSink sink;
    EXPECT_EQ((5ull << 30) + 100, FolderSize(sandbox.Path(L"cache"), sink));
    EXPECT_EQ(TreeResult::Done, DeleteFolderTree(sandbox.Path(L"cache"), sink));
    EXPECT_EQ((5ull << 30) + 100, sink.bytes);
}

TEST(FolderTree, OnlyJunctionsAndSymbolicLinksAreLinks) {
    const DWORD reparse = FILE_ATTRIBUTE_REPARSE_POINT;
    const struct {
        DWORD attributes;
        DWORD tag;
        bool link;
    } cases[] = {
        {FILE_ATTRIBUTE_DIRECTORY | reparse, IO_REPARSE_TAG_MOUNT_POINT, true},
        {FILE_ATTRIBUTE_DIRECTORY | reparse, IO_REPARSE_TAG_SYMLINK, true},
        {FILE_ATTRIBUTE_ARCHIVE | reparse, IO_REPARSE_TAG_SYMLINK, true},
        {FILE_ATTRIBUTE_DIRECTORY | reparse, 0, true},  // Wine tells no tag for its links
        {FILE_ATTRIBUTE_ARCHIVE | reparse, IO_REPARSE_TAG_DEDUP, false},
        {FILE_ATTRIBUTE_ARCHIVE | reparse, IO_REPARSE_TAG_WOF, false},  // compressed
        {FILE_ATTRIBUTE_ARCHIVE | reparse, 0x9000001Au, false},         // a cloud placeholder
        {FILE_ATTRIBUTE_DIRECTORY | reparse, 0x9000601Au, false},       // a cloud placeholder folder
        {FILE_ATTRIBUTE_ARCHIVE, IO_REPARSE_TAG_SYMLINK, false},        // no reparse point: the tag means nothing
        {FILE_ATTRIBUTE_DIRECTORY, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.link, IsLinkEntry(c.attributes, c.tag)) << std::hex << c.attributes << " " << c.tag;
}

TEST(FolderTree, SaysWhenAFolderThatIsThereCannotBeRead) {
    CCacheSandbox sandbox;
    sandbox.AddFile(L"file.dat", 10);
    const struct {
        const wchar_t* folder;
        TreeResult result;
    } cases[] = {
        {L"missing", TreeResult::Done}, {L"file.dat", TreeResult::Unreadable},  // a file where the folder should be
    };
    for (const auto& c : cases) {
        CountingSink sink;
        EXPECT_EQ(c.result, DeleteFolderTree(sandbox.Path(c.folder), sink)) << testing::PrintToString(c.folder);
    }
    EXPECT_TRUE(sandbox.Exists(L"file.dat"));
}

TEST(FolderTree, AStopRequestEndsTheDeletionBetweenTwoFiles) {
    CCacheSandbox sandbox;
    for (int i = 0; i < 10; ++i)
        sandbox.AddFile(L"cache\\f" + std::to_wstring(i), 10);
    CountingSink sink(3);
    EXPECT_EQ(TreeResult::Stopped, DeleteFolderTree(sandbox.Path(L"cache"), sink));
    EXPECT_EQ(3, sink.deletions);
    EXPECT_EQ(7u, sandbox.CountFiles(L"cache"));
}

}  // namespace
