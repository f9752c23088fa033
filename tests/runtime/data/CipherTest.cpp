// The cipher of owner-protected files: sealing, opening, the proof of the password.
#include <gtest/gtest.h>

#include "runtime/data/FileCipher.h"

namespace cdz {
namespace {

TEST(FileCipher, SealsAndOpensUnderItsOwnKeyOnly) {
    const std::string salt = FileCipher::newSalt();
    auto cipher = FileCipher::derive("pa55w", salt);
    ASSERT_NE(cipher, nullptr);
    EXPECT_EQ(cipher->salt(), salt);

    for (bool deterministic : {false, true}) {
        SCOPED_TRACE(deterministic);
        for (std::string plain : {std::string("x"), std::string("Ingrid Sjöström"),
                                  std::string(80, 'z'), std::string("a\0b", 3)}) {
            std::string sealed = cipher->seal(plain, deterministic);
            if (plain.size() > 3) {
                EXPECT_EQ(sealed.find(plain), std::string::npos);
            }
            EXPECT_EQ(cipher->open(sealed), plain);
            // Equal texts seal equally only when asked to.
            EXPECT_EQ(cipher->seal(plain, deterministic) == sealed, deterministic);
        }
    }
    // Blank stays blank, so blank values are still recognised in the file.
    EXPECT_EQ(cipher->seal("", true), "");
    EXPECT_EQ(cipher->open(""), "");

    auto other = FileCipher::derive("pa55W", salt);
    auto otherSalt = FileCipher::derive("pa55w", FileCipher::newSalt());
    const std::string sealed = cipher->seal("secret", false);
    EXPECT_EQ(other->open(sealed), std::nullopt);
    EXPECT_EQ(otherSalt->open(sealed), std::nullopt);
    EXPECT_TRUE(cipher->verify(cipher->proof()));
    EXPECT_FALSE(other->verify(cipher->proof()));
    EXPECT_FALSE(cipher->verify(""));
}

TEST(FileCipher, AlteredOrForeignValuesDoNotOpen) {
    auto cipher = FileCipher::derive("pa55w", FileCipher::newSalt());
    ASSERT_NE(cipher, nullptr);
    std::string sealed = cipher->seal("K3Y-SECRET", false);
    for (size_t i : {size_t{0}, sealed.size() / 2, sealed.size() - 3}) {
        std::string altered = sealed;
        altered[i] = altered[i] == 'A' ? 'B' : 'A';
        EXPECT_EQ(cipher->open(altered), std::nullopt) << i;
    }
    for (const char* foreign : {"plain text", "====", "QUJD", "%%%"}) {
        EXPECT_EQ(cipher->open(foreign), std::nullopt) << foreign;
    }
    EXPECT_EQ(cipher->open(sealed.substr(0, 20)), std::nullopt);
}

TEST(FileCipher, RefusesSaltsItDidNotMake) {
    EXPECT_EQ(FileCipher::derive("pa55w", ""), nullptr);
    EXPECT_EQ(FileCipher::derive("pa55w", "not base64!"), nullptr);
    EXPECT_EQ(FileCipher::derive("pa55w", "QUJD"), nullptr);  // too short
    EXPECT_NE(FileCipher::newSalt(), FileCipher::newSalt());
}

}  // namespace
}  // namespace cdz
