#include <gtest/gtest.h>

#include "app/startup.h"
#include "core/framework_state.h"

TEST(Initmxtools, TablesFollowTheCharacterSet) {
    ASSERT_TRUE(framework.mxtoolsinitialized);
    EXPECT_EQ(framework.uppercasetable['a'], 'A');
    EXPECT_EQ(framework.uppercasetable[228], 196);
    EXPECT_EQ(framework.uppercasetable[229], 229);
    EXPECT_EQ(framework.lowercasetable[196], 228);
    EXPECT_EQ(framework.hexvalues['G'], -1);
    EXPECT_EQ(framework.hexvalues['f'], 15);
}
