// The helper's decisions: the updater's configuration document and which programs belong to a folder.
#include <gtest/gtest.h>

#include <tinyxml.h>
#include <map>

#include "installer/helper/product_processes.h"
#include "installer/helper/update_config.h"
#include "tests/common/temp_folder.h"

namespace {

// The document as the updater reads it: the text of each child of the root, by its "id".
std::map<std::string, std::string> ReadBack(const std::string& xml) {
    std::map<std::string, std::string> values;
    TiXmlDocument document;
    document.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = document.RootElement();
    for (const TiXmlElement* e = root ? root->FirstChildElement() : nullptr; e; e = e->NextSiblingElement()) {
        values.emplace(e->Attribute("id") ? e->Attribute("id") : "", e->GetText() ? e->GetText() : "");
    }
    return values;
}

}  // namespace

TEST(UpdateConfig, NamesEveryKeyTheUpdaterReadsAndFollowsTheServiceAddresses) {
    struct Case {
        const char* ini;
        const char* manifestUrl;
        const char* officialUrl;
    };
    const Case cases[] = {
        {"[hosts]\r\nupdate=http://127.0.0.1:8080/\r\nweb=www.example.com\r\n",
         "http://127.0.0.1:8080/sorvik/update.xml", "http://www.example.com/"},
        {"[hosts]\r\nupdate=http://u.example/a&b<c>\"'\r\n", "http://u.example/a&b<c>\"'/sorvik/update.xml", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const ServiceHosts hosts = LoadServiceHosts(folder.Write(L"service_hosts.ini", c.ini));
        std::map<std::string, std::string> values = ReadBack(UpdateConfigDocument(ProductUpdateConfig(hosts)));
        EXPECT_EQ(8u, values.size()) << c.ini;
        EXPECT_EQ(c.manifestUrl, values["IDS_UPDATE_NETXML_URL"]) << c.ini;
        EXPECT_EQ(c.officialUrl, values["IDS_OFFICIAL_URL"]) << c.ini;
        EXPECT_EQ("HKEY_CURRENT_USER\\SOFTWARE\\VarnioWorks\\Sorvik", values["IDS_REG_KEY"]);
        EXPECT_EQ("path", values["IDS_REG_VAR"]);
        EXPECT_EQ("Sorvik.exe", values["IDS_UPDATE_APP_NAME"]);
        EXPECT_EQ("Sorvik", values["IDS_UPDATE_APP_SHOWNAME"]);
        EXPECT_NE("", values["IDS_UPDATE_LOCALXML_FILENAME"]);
        // Sorvik holds its own single-instance mutex while the updater runs.
        EXPECT_NE("", values["IDS_MTX"]);
        EXPECT_NE("VarnioBrevund", values["IDS_MTX"]);
    }
}

TEST(ProductProcesses, ProgramsBelongToTheFolderTheyRunFrom) {
    struct Case {
        const wchar_t* image;
        const wchar_t* folder;
        bool inFolder;
    };
    const Case cases[] = {
        {L"C:\\Apps\\Sorvik\\Sorvik.exe", L"C:\\Apps\\Sorvik", true},
        {L"c:\\apps\\SORVIK\\tavisk.exe", L"C:\\Apps\\Sorvik\\", true},
        {L"C:/Apps/Sorvik/Skin/x.exe", L"C:\\Apps\\Sorvik", true},
        {L"C:\\Apps\\Sorvik2\\Sorvik.exe", L"C:\\Apps\\Sorvik", false},
        {L"C:\\Apps\\Sorvik", L"C:\\Apps\\Sorvik", false},
        {L"C:\\Apps\\Sorvik.exe", L"C:\\Apps\\Sorvik", false},
        {L"C:\\Sorvik.exe", L"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.inFolder, IsInFolder(c.image, c.folder)) << c.image << " in " << c.folder;

    const std::vector<RunningProgram> running = {
        {1, L"C:\\A\\Sorvik.exe"}, {2, L"C:\\A\\Tavisk.exe"}, {3, L"C:\\B\\Sorvik.exe"}};
    EXPECT_EQ(2u, ProgramsInFolder(running, L"C:\\A").size());
    ASSERT_EQ(1u, ProgramsInFolder(running, L"C:\\a\\", L"sorvik.EXE").size());
    EXPECT_EQ(1u, ProgramsInFolder(running, L"C:\\a\\", L"sorvik.EXE")[0].pid);
}
