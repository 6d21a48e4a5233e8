// The configuration document, the product key's read rules and the settings file.
#include <gtest/gtest.h>

#include "common/text_encoding.h"
#include "tests/common/registry_sandbox.h"
#include "tests/common/temp_folder.h"
#include "updater/config/movrel_settings.h"
#include "updater/config/product_key.h"
#include "updater/config/update_config.h"

TEST(UpdateConfig, FirstEntryWinsKeysAreExactAndTextIsConvertedToTheAnsiCodePage) {
    const std::string showName = WideToUtf8(L"瓦尼奥优化");
    CUpdateConfig config;
    ASSERT_TRUE(config.Parse(("<?xml version=\"1.0\" encoding=\"UTF-8\"?><cfg>"
                              "<a id=\"IDS_MTX\">first</a><b id=\"IDS_MTX\">second</b><!-- note -->"
                              "<c id=\"IDS_UPDATE_APP_SHOWNAME\">" +
                              showName +
                              "</c><d>no id</d>"
                              "<e id=\"IDS_REG_VAR\"/></cfg>")
                                 .c_str()));
    EXPECT_EQ("first", config.Get("IDS_MTX"));
    EXPECT_EQ("", config.Get("ids_mtx"));
    EXPECT_EQ("", config.Get("IDS_REG_VAR"));
    EXPECT_EQ("", config.Get("IDS_OFFICIAL_URL"));
    const std::string ansi = config.Get("IDS_UPDATE_APP_SHOWNAME");
    EXPECT_EQ(L"瓦尼奥优化", AnsiToWide(ansi));
    if (::GetACP() == 936) {
        EXPECT_EQ("\xCD\xDF\xC4\xE1\xB0\xC2\xD3\xC5\xBB\xAF", ansi);
    }
}

TEST(UpdateConfig, ADocumentThatDoesNotLoadLeavesEveryKeyEmpty) {
    TempFolder folder;
    CUpdateConfig config;
    ASSERT_TRUE(config.Parse("<cfg><a id=\"IDS_MTX\">m</a></cfg>"));
    EXPECT_FALSE(config.Load(folder.Write(L"update_config.xml", "<cfg><a id=\"IDS_MTX\">m</a>")));
    EXPECT_EQ("", config.Get("IDS_MTX"));
    EXPECT_FALSE(config.Load(folder.Path(L"missing.xml")));
    EXPECT_TRUE(config.Load(folder.Write(L"good.xml", "\xEF\xBB\xBF<cfg><a id=\"IDS_MTX\">m</a></cfg>")));
    EXPECT_EQ("m", config.Get("IDS_MTX"));
    // Deeper than eight levels or longer than a mebibyte never reaches the parser.
    const std::string entry = "<cfg><a id=\"IDS_MTX\">m</a>";
    EXPECT_FALSE(config.Parse(entry + "<b><b><b><b><b><b><b><b></b></b></b></b></b></b></b></b></cfg>"));
    EXPECT_TRUE(config.Parse(entry + "<b><b><b><b><b><b><b></b></b></b></b></b></b></b></cfg>"));
    EXPECT_FALSE(config.Load(folder.Write(L"long.xml", entry + std::string(1 << 20, ' ') + "</cfg>")));
    EXPECT_EQ("", config.Get("IDS_MTX"));
}

TEST(ProductKey, OnlySpelledOutRootsOpenAKey) {
    struct Case {
        const char* text;
        HKEY root;
        const char* subKey;
    } cases[] = {
        {"HKEY_CURRENT_USER\\SOFTWARE\\VarnioWorks\\Sorvik", HKEY_CURRENT_USER, "SOFTWARE\\VarnioWorks\\Sorvik"},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\X", HKEY_LOCAL_MACHINE, "SOFTWARE\\X"},
        {"HKEY_USERS\\.DEFAULT", HKEY_USERS, ".DEFAULT"},
        {"HKCU\\SOFTWARE\\VarnioWorks\\Sorvik", nullptr, ""},
        {"hkey_current_user\\SOFTWARE", nullptr, ""},
        {"HKEY_CURRENT_USER", nullptr, ""},
        {"", nullptr, ""},
    };
    for (const Case& c : cases) {
        const ProductKey key = SplitProductKey(c.text);
        EXPECT_EQ(c.root, key.root) << c.text;
        EXPECT_EQ(c.subKey, key.subKey) << c.text;
    }
}

TEST(ProductKey, ValuesOf128BytesOrMoreAndAbbreviatedRootsReadAsMissing) {
    RegistrySandbox sandbox;
    const std::string full = "HKEY_CURRENT_USER\\" + sandbox.SubKey();
    sandbox.Set("path", std::string(126, 'p'));  // 127 bytes with its terminator
    sandbox.Set("long", std::string(127, 'l'));  // 128 bytes
    sandbox.Set("version", "1.1.06.05");
    sandbox.Set("number", "x", REG_BINARY);
    const ProductKey key = SplitProductKey(full);
    std::string value;
    EXPECT_TRUE(ReadProductValue(key, "path", &value));
    EXPECT_EQ(std::string(126, 'p'), value);
    EXPECT_FALSE(ReadProductValue(key, "long", &value));
    EXPECT_EQ("", value);
    EXPECT_FALSE(ReadProductValue(key, "number", &value));
    EXPECT_FALSE(ReadProductValue(key, "absent", &value));
    EXPECT_EQ("1.1.06.05", ReadProductText(key, "version"));
    EXPECT_EQ("", ReadProductText(SplitProductKey("HKCU\\" + sandbox.SubKey()), "version"));
}

TEST(ProductKey, TheIdentityIsCreatedOnceAndCarriedByTheQuery) {
    RegistrySandbox sandbox;
    sandbox.Set("version", "2.0.0.1");
    const ProductKey key = SplitProductKey("HKEY_CURRENT_USER\\" + sandbox.SubKey());
    const std::string identity = GetOrCreateIdentity(key);
    ASSERT_EQ(32u, identity.size());
    EXPECT_EQ(identity, ReadProductText(key, "uuid"));
    EXPECT_EQ(identity, GetOrCreateIdentity(key));
    EXPECT_EQ("http://u/m.xml?uuid=" + identity + "&ip=127.0.0.1&version=2.0.0.1&pkgname=" + WideToUtf8(L"绿色版"),
              AppendUpdaterIdentityQuery("http://u/m.xml", key));
}

TEST(MovrelSettings, CheckTimeDefaultsToMinusOneAndWritingCreatesTheFile) {
    TempFolder folder;
    const std::wstring ini = folder.Path(L"config\\varnio_movrel.ini");
    EXPECT_EQ("-1", ReadCheckTime(ini));
    ASSERT_TRUE(WriteCheckTime(ini, 1700000000));
    EXPECT_EQ("1700000000", ReadCheckTime(ini));
    ::DeleteFileW(ini.c_str());
    ::RemoveDirectoryW(folder.Path(L"config").c_str());
}
