#include "platform/password/CPasswordHash.h"

#include <gtest/gtest.h>

namespace {

TEST(PasswordHash, OnlyTheRightPasswordMatchesAndEachHashIsSalted)
{
    const QString first = CPasswordHash::Hash("s3gret&=è");
    const QString second = CPasswordHash::Hash("s3gret&=è");
    EXPECT_TRUE(first.startsWith("$argon2id$"));
    EXPECT_NE(first, second);
    EXPECT_TRUE(CPasswordHash::Verify(first, "s3gret&=è"));
    EXPECT_TRUE(CPasswordHash::Verify(second, "s3gret&=è"));
    EXPECT_FALSE(CPasswordHash::Verify(first, "s3gret&=e"));
    EXPECT_FALSE(CPasswordHash::Verify(first, ""));
}

TEST(PasswordHash, AClearTextStoredValueNeverMatches)
{
    // A password kept as plain text (an old account) must not log in by
    // being compared as it stands.
    EXPECT_FALSE(CPasswordHash::IsHash("segreto"));
    EXPECT_FALSE(CPasswordHash::Verify("segreto", "segreto"));
    EXPECT_FALSE(CPasswordHash::Verify("", ""));
}

} // namespace
