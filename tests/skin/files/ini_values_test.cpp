#include "skin/files/ini_values.h"
#include "skin/files/ini_snapshot.h"
#include "skin/files/placement.h"
#include "tests/skin/controls/skin_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {
bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}
}  // namespace

TEST(CInteger, ConvertsLikePercentI) {
    struct Case { const wchar_t* text; bool ok; int value; } cases[] = {
        {L"42", true, 42}, {L"010", true, 8}, {L"0x1F", true, 31}, {L"-7", true, -7},
        {L"", false, 99}, {L"abc", false, 99},
    };
    for (const auto& c : cases) {
        int value = 99;
        EXPECT_EQ(c.ok, ParseCInteger(c.text, value)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
    }
}

TEST(CRect, OctalAndHexAndPartialValuesKeepTheRest) {
    struct Case { const wchar_t* text; RECT expected; } cases[] = {
        {L"010,10,50,30", {8, 10, 50, 30}},
        {L"0x10,-5,-1,020", {16, -5, -1, 16}},
        {L"5,6", {5, 6, 103, 104}},   // unconverted fields keep their value
        {L"", {101, 102, 103, 104}},  // missing key: nothing changes
    };
    for (const auto& c : cases) {
        RECT r = {101, 102, 103, 104};
        ParseCRect(c.text, r);
        EXPECT_TRUE(r == c.expected) << Show(r);
    }
}

TEST(CommaRect, DecimalPiecesAndNoCommaMeansEmpty) {
    struct Case { const wchar_t* text; RECT expected; } cases[] = {
        {L"010,10,50,30", {10, 10, 50, 30}},
        {L"-60, 5, -10, 25", {-60, 5, -10, 25}},
        {L"7,8", {7, 8, 0, 0}},
        {L"1,2,3,4,5", {1, 2, 3, 4}},
        {L"300", {0, 0, 0, 0}},
        {L"", {0, 0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_TRUE(ParseCommaRect(c.text) == c.expected) << Show(ParseCommaRect(c.text));
}

TEST(Colors, EverySyntaxWithItsDefaults) {
    const COLORREF def = kSkinDefaultTextColor;
    EXPECT_EQ(RGB(58, 67, 74), ParseCommaColor(L"255", def));
    EXPECT_EQ(RGB(255, 0, 74), ParseCommaColor(L"255,0", def));
    EXPECT_EQ(RGB(0, 255, 3), ParseCommaColor(L"256,-1,3", def));
    EXPECT_EQ(def, ParseCommaColor(L"", def));

    COLORREF c = RGB(1, 2, 3);
    ParseCColor(L"0x10,32,048", c);
    EXPECT_EQ(RGB(16, 32, 4), c);  // octal "048" stops before the 8
    c = RGB(1, 2, 3);
    ParseCColor(L"300", c);
    EXPECT_EQ(RGB(44, 2, 3), c);
    ParseCColor(L"", c);
    EXPECT_EQ(RGB(44, 2, 3), c);

    EXPECT_EQ(RGB(0, 0, 0), ParseColorTriple(L"255"));
    EXPECT_EQ(RGB(255, 0, 0), ParseColorTriple(L"255,7"));  // without a second comma only red counts
    EXPECT_EQ(RGB(1, 2, 3), ParseColorTriple(L"1, 2, 3"));
}

TEST(FrameValues, CaptionRectangleAndPointPair) {
    const RECT caption = ParseCaptionRect(L"5, 20, 25, 300");
    EXPECT_TRUE(caption == (RECT{25, 5, 300, 20})) << Show(caption);
    EXPECT_TRUE(ParseCaptionRect(L"5, 20") == (RECT{0, 5, 0, 0})) << Show(ParseCaptionRect(L"5, 20"));
    EXPECT_TRUE(ParseCaptionRect(L"7") == (RECT{0, 0, 0, 0}));
    EXPECT_EQ(12, ParsePointPair(L"12,-3").x);
    EXPECT_EQ(-3, ParsePointPair(L"12,-3").y);
    EXPECT_EQ(0, ParsePointPair(L"9").y);
}

TEST(Placement, NegativeCoordinatesCountFromTheFarEdge) {
    EXPECT_TRUE(ResolvePlacement({-60, 5, -10, 25}, 400, 300) == (RECT{340, 5, 390, 25}));
    EXPECT_TRUE(ResolvePlacement({10, -30, 20, -1}, 400, 300) == (RECT{10, 270, 20, 299}));
    EXPECT_TRUE(ResolvePanelPlacement({-1, -1, 0, 0}, 400, 300) == (RECT{400, 300, 0, 0}));
}

class IniReading : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_file = std::wstring(temp) + L"skin_ini_values_test.ini";
        std::ofstream out(m_file.c_str(), std::ios::binary);
        out << "[Btn]\r\nrect=010,10,50,30\r\nLinkColor=255,0\r\nActiveLinkColor=1,2,3\r\nText=" << std::string(300, 'x')
            << "\r\nCount=12abc\r\n";
    }
    void TearDown() override { ::DeleteFileW(m_file.c_str()); }
    std::wstring m_file;
};

TEST_F(IniReading, ProfileFunctionsWithDefaultsAndCuts) {
    RECT r = {};
    ReadIniCRect(m_file, L"btn", L"RECT", r);  // sections and keys ignore case
    EXPECT_EQ(8, r.left);
    EXPECT_EQ(10, ReadIniCommaRect(m_file, L"Btn", L"rect").left);
    EXPECT_EQ(RGB(255, 0, 74), ReadIniCommaColor(m_file, L"Btn", L"LinkColor"));
    EXPECT_EQ(RGB(1, 2, 3), ReadIniCommaColor(m_file, L"Btn", L"ActiveLinkColor "));  // trailing blank ignored
    EXPECT_EQ(RGB(58, 67, 74), ReadIniCommaColor(m_file, L"Btn", L"Missing"));
    EXPECT_EQ(259u, ReadIniText(m_file, L"Btn", L"Text").size());
    EXPECT_EQ(12, ReadIniInt(m_file, L"Btn", L"Count", 0));
    EXPECT_EQ(5, ReadIniInt(m_file, L"Btn", L"Nope", 5));
    EXPECT_EQ(L"", ReadIniText(L"Z:\\no\\such\\file.ini", L"Btn", L"Text"));
    RECT kept = {1, 2, 3, 4};
    ReadIniCRect(m_file, L"Btn", L"nothing", kept);
    EXPECT_EQ(3, kept.right);
}

namespace {
// Every key name of every section of `file`, as the profile functions list them.
std::vector<std::pair<std::wstring, std::wstring>> KeysOf(const std::wstring& file) {
    std::vector<std::pair<std::wstring, std::wstring>> keys;
    std::vector<wchar_t> sections(1 << 16), names(1 << 16);
    ::GetPrivateProfileSectionNamesW(sections.data(), static_cast<DWORD>(sections.size()), file.c_str());
    for (const wchar_t* section = sections.data(); *section; section += wcslen(section) + 1) {
        ::GetPrivateProfileStringW(section, nullptr, L"", names.data(), static_cast<DWORD>(names.size()),
                                   file.c_str());
        for (const wchar_t* key = names.data(); *key; key += wcslen(key) + 1)
            keys.emplace_back(section, key);
    }
    return keys;
}
}  // namespace

// Inside a snapshot every read gives what the profile functions give, for the test skin's files and a
// file of awkward lines alike, at every cut.
TEST_F(IniReading, ASnapshotAnswersEveryKeyAsTheProfileFunctionsDo) {
    {
        std::ofstream out(m_file.c_str(), std::ios::binary);
        out << "; comment\r\n[Sec]\r\nA=1\r\n  B  =  2  \r\nc=lower\r\nC=dup\r\nQ1=\"quoted\"\r\nQ2='single'\r\n"
               "Q3=\"half\r\nQ4=\"\"\r\nQ5=\"\r\nQ6=\"a\"b\"\r\nE=\r\nNoEquals\r\nZ=a=b\r\nK;x=semi\r\n;A=commented\r\n"
               "N1=12abc\r\nN2= -5\r\nN3=+7\r\nN4=0x10\r\nN5=abc\r\nN6=99999999999\r\nN7=--3\r\nN8=\"12\"\r\nN9=  0b101\r\n"
               "W=\xd3\xce\xcf\xb7\r\nLong=\"" << std::string(300, 'y') << "\"\r\n"
               "[sec]\r\nA=second\r\nX=only here\r\n[Empty]\r\n[ Spaced ]\r\nS=1\r\n[Sec]\r\nLate=later\r\n";
    }
    std::vector<std::pair<std::wstring, std::wstring>> asked = KeysOf(m_file);
    for (const wchar_t* key : {L"a", L"A ", L" b", L"Missing", L"late", L"x", L""})
        asked.emplace_back(L"Sec", key);
    for (const auto& extra : {std::make_pair(L"SEC", L"q1"), std::make_pair(L"Spaced", L"S"),
                              std::make_pair(L" Spaced ", L"S"), std::make_pair(L"Nowhere", L"A"),
                              std::make_pair(L"Empty", L"A")})
        asked.push_back(extra);
    std::vector<std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>>> files = {
        {m_file, asked}};
    for (const wchar_t* name : {L"ImageRes.ini", L"controls.ini"}) {
        const std::wstring file = TestSkinFolder() + name;
        files.emplace_back(file, KeysOf(file));
        ASSERT_FALSE(files.back().second.empty()) << "no keys in the test skin's " << name;
    }
    for (const auto& [file, keys] : files) {
        ScopedIniSnapshot snapshot;
        for (const auto& [section, key] : keys) {
            for (DWORD cut : {260u, 301u, 302u, 6u, 2u, 1u}) {
                std::vector<wchar_t> buffer(cut + 1, L'\0');
                const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"\"dflt\"", buffer.data(),
                                                           cut, file.c_str());
                EXPECT_EQ(std::wstring(buffer.data(), n), ReadIniText(file, section.c_str(), key.c_str(), cut,
                                                                      L"\"dflt\""))
                    << "[" << testing::PrintToString(section) << "] " << testing::PrintToString(key) << " cut " << cut;
            }
            EXPECT_EQ(static_cast<int>(::GetPrivateProfileIntW(section.c_str(), key.c_str(), -9, file.c_str())),
                      ReadIniInt(file, section.c_str(), key.c_str(), -9))
                << "[" << testing::PrintToString(section) << "] " << testing::PrintToString(key);
        }
    }
}
