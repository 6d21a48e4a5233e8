#include "common/identity_query.h"

#include "common/text_encoding.h"
#include "tests/common/registry_sandbox.h"

#include <gtest/gtest.h>

TEST(IdentityQuery, ChoosesTheSeparatorFromTheExistingQuery) {
    const struct {
        const char* url;
        const char* separator;
    } cases[] = {
        {"http://h/p", "?uuid="},
        {"http://h/p?", "uuid="},
        {"http://h/p?a=1", "&uuid="},
        {"http://h/p?a=1&b=2", "&uuid="},
        {"http://h/p?a=1&", "&uuid="},  // an "&" decides before a trailing "?"
    };
    for (const auto& c : cases) EXPECT_EQ(c.separator, IdentitySeparator(c.url)) << c.url;
}

TEST(IdentityQuery, AppendsAllFourParametersWithoutEncoding) {
    EXPECT_EQ("http://h/p?uuid=0123&ip=1.2.3.4&version=2.0 beta&pkgname=a b&c",
              BuildIdentityQuery("http://h/p", "0123", "1.2.3.4", "2.0 beta", "a b&c"));
    EXPECT_EQ("http://h/p?uuid=id&ip=&version=1&pkgname=x", BuildIdentityQuery("http://h/p?", "id", "", "1", "x"));
}

TEST(IdentityQuery, MissingVersionAndPackageNameGetTheirDefaults) {
    EXPECT_EQ("http://h/p?a=1&uuid=id&ip=127.0.0.1&version=1.0.0.1&pkgname=\xE7\xBB\xBF\xE8\x89\xB2\xE7\x89\x88",
              BuildIdentityQuery("http://h/p?a=1", "id", "127.0.0.1", "", ""));
}

TEST(IdentityQuery, ReadsVersionAndPackageNameFromTheRegistry) {
    RegistrySandbox key;
    key.Set("uuid", "0123456789abcdef0123456789abcdef");
    key.Set("version", "1.1.06.05", REG_EXPAND_SZ);
    key.Set("pkgname", WideToAnsi(L"安装包.exe"));  // sent as the ANSI bytes read
    EXPECT_EQ("http://h/x?uuid=0123456789abcdef0123456789abcdef&ip=9.9.9.9&version=1.1.06.05&pkgname=" +
                  WideToAnsi(L"安装包.exe"),
              AppendIdentityQuery("http://h/x", HKEY_CURRENT_USER, key.SubKey(), "9.9.9.9"));
}
