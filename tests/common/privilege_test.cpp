#include "common/privilege.h"

#include <gtest/gtest.h>

TEST(EnableProcessPrivilege, HeldPrivilegeIsEnabledUnknownNameFails) {
    EXPECT_TRUE(EnableProcessPrivilege(L"SeShutdownPrivilege"));
    EXPECT_FALSE(EnableProcessPrivilege(L"SeNoSuchPrivilege"));
    EXPECT_FALSE(EnableProcessPrivilege(L""));
}
