#include <gtest/gtest.h>

#include "common/text_encoding.h"
#include "updater/install/package_file.h"

TEST(PackageFileName, OnlyAPlainLastPartNamesThePackage) {
    struct Case {
        std::string url;
        std::wstring name;
    } cases[] = {
        {"http://u.example/pkg/Sorvik_setup_1.1.exe", L"Sorvik_setup_1.1.exe"},
        {"http://u.example/pkg/" + WideToAnsi(L"升级包.exe"), L"升级包.exe"},
        {"http://u.example/pkg/", kDefaultPackageName},
        {"setup.exe", kDefaultPackageName},
        {"", kDefaultPackageName},
        {"http://u.example/..\\..\\Windows\\evil.exe", kDefaultPackageName},
        {"http://u.example/a\\b.exe", kDefaultPackageName},
        {"http://u.example/..", kDefaultPackageName},
        {"http://u.example/C:evil.exe", kDefaultPackageName},
        {"http://u.example/setup.exe?v=2", kDefaultPackageName},
        {"http://u.example/a|b*.exe", kDefaultPackageName},
        {"http://u.example/tab\tname.exe", kDefaultPackageName},
        {"http://u.example/CON", kDefaultPackageName},
        {"http://u.example/nul.exe", kDefaultPackageName},
        {"http://u.example/com1.txt", kDefaultPackageName},
        {"http://u.example/setup.exe.", kDefaultPackageName},
        {"http://u.example/" + std::string(240, 'a') + ".exe", kDefaultPackageName},
        {"http://u.example/console.exe", L"console.exe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.name, PackageFileName(c.url)) << c.url;
}
