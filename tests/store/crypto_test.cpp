#include "store/crypto.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace tovanel::store {
namespace {

std::string ToHex(const uint8_t* bytes, size_t size) {
    std::string hex;
    char pair[3];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        hex += pair;
    }
    return hex;
}

std::string Md5Hex(const std::string& text) {
    const auto digest = Md5(text.data(), text.size());
    return ToHex(digest.data(), digest.size());
}

struct Md5Case {
    std::string input;
    const char* digest;
};

TEST(Md5Test, MatchesReferenceSuiteAndPaddingBoundaries) {
    const Md5Case cases[] = {
        // The reference suite of RFC 1321.
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
         "0",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // Lengths around the padding edges: the length field fits in the last chunk or not.
        {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
        {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Md5Hex(c.input), c.digest) << "length " << c.input.size();
    }
}

struct Rc4Vector {
    size_t offset;
    const char* bytes;  // 16 bytes of output from `offset`
};

std::string Rc4OutputHex(const std::vector<uint8_t>& key, size_t offset) {
    Rc4 rc4(key.data(), key.size());
    rc4.Skip(offset);
    uint8_t out[16];
    rc4.Fill(out, sizeof out);
    return ToHex(out, sizeof out);
}

void ExpectRc4Vectors(const std::vector<uint8_t>& key, const std::vector<Rc4Vector>& vectors) {
    for (const auto& v : vectors) {
        EXPECT_EQ(Rc4OutputHex(key, v.offset), v.bytes) << "offset " << v.offset;
    }
}

// RFC 6229 keystream vectors.
TEST(Rc4Test, Matches40BitKeyVectors) {
    ExpectRc4Vectors({0x01, 0x02, 0x03, 0x04, 0x05}, {
                                                         {0, "b2396305f03dc027ccc3524a0a1118a8"},
                                                         {16, "6982944f18fc82d589c403a47a0d0919"},
                                                         {240, "28cb1132c96ce286421dcaadb8b69eae"},
                                                         {256, "1cfcf62b03eddb641d77dfcf7f8d8c93"},
                                                         {496, "42b7d0cdd918a8a33dd51781c81f4041"},
                                                         {512, "6459844432a7da923cfb3eb4980661f6"},
                                                         {752, "ec10327bde2beefd18f9277680457e22"},
                                                         {768, "eb62638d4f0ba1fe9fca20e05bf8ff2b"},
                                                         {1008, "45129048e6a0ed0b56b490338f078da5"},
                                                         {1024, "30abbcc7c20b01609f23ee2d5f6bb7df"},
                                                         {1520, "3294f744d8f9790507e70f62e5bbceea"},
                                                         {2032, "1eb14a0c13b3bf47fa2a0ba93ad45b8b"},
                                                         {3056, "f2e30f9bd102ecbf75aaade9bc35c43c"},
                                                         {4080, "068326a2118416d21f9d04b2cd1ca050"},
                                                         {4096, "ff25b58995996707e51fbdf08b34d875"},
                                                     });
}

TEST(Rc4Test, Matches128BitKeyVectors) {
    ExpectRc4Vectors({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d,
                      0x0e, 0x0f, 0x10},
                     {
                         {0, "9ac7cc9a609d1ef7b2932899cde41b97"},
                         {16, "5248c4959014126a6e8a84f11d1a9e1c"},
                         {240, "065902e4b620f6cc36c8589f66432f2b"},
                         {256, "d39d566bc6bce3010768151549f3873f"},
                         {496, "b6d1e6c4a5e4771cad79538df295fb11"},
                         {512, "c68c1d5c559a974123df1dbc52a43b89"},
                         {752, "c5ecf88de897fd57fed301701b82a259"},
                         {1008, "e7a72574f8782ae26aabcf9ebcd66065"},
                         {1520, "b40110c4190b5622a96116b0017ed297"},
                         {2032, "d03d1bc03cd33d70dff9fa5d71963ebd"},
                         {3056, "fabeb76028ade2d0e48722e46c4615a3"},
                         {4080, "ff38265c1642c1abe8d3c2fe5e572bf8"},
                         {4096, "a36a4c301ae8ac13610ccbc12256cacc"},
                     });
}

TEST(Rc4Test, FillNextAndSkipWalkTheSameStream) {
    const uint8_t key[] = {'K', 'e', 'y'};
    Rc4 by_fill(key, sizeof key);
    uint8_t filled[300];
    by_fill.Fill(filled, sizeof filled);

    Rc4 by_next(key, sizeof key);
    Rc4 by_skip(key, sizeof key);
    by_skip.Skip(257);
    for (size_t i = 0; i < sizeof filled; ++i) {
        ASSERT_EQ(by_next.Next(), filled[i]) << i;
    }
    EXPECT_EQ(by_skip.Next(), filled[257]);
}

// Check string built by hand from the digest: swap neighbours, then reverse.
std::string CheckStringFromHex(const std::string& md5_hex) {
    std::string swapped;
    for (size_t i = 0; i < md5_hex.size(); i += 2) {
        swapped += md5_hex[i + 1];
        swapped += md5_hex[i];
    }
    return std::string(swapped.rbegin(), swapped.rend());
}

TEST(PasswordCheckStringTest, IsTheRearrangedLowercaseDigest) {
    // Digests from the system's md5sum.
    const struct {
        std::string password;
        std::string md5_hex;
    } cases[] = {
        {"240513", "a3621bc16521824510ee884a9ef8eb4a"},
        {"password", "5f4dcc3b5aa765d61d8327deb882cf99"},
        {"Password", "dc647eb65e6711e155375218212b3964"},
        // Raw bytes: a GBK password and an embedded zero byte are hashed as given.
        {std::string("\xc4\xe3\xba\xc3", 4), "b94ae3c6d892b29cf48d9bea819b27b9"},
        {std::string("ab\0c", 4), "cf1aa1426d75f0e4c1a49da3b28808ef"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PasswordCheckString(c.password), CheckStringFromHex(c.md5_hex)) << c.password;
    }
    EXPECT_EQ(PasswordCheckString("240513"), "4aebf89e4a88ee1045822165c11b62a3");
}

TEST(PasswordCheckStringTest, LetterCaseOfThePasswordMatters) {
    const std::string lower = PasswordCheckString("password");
    const std::string upper = PasswordCheckString("Password");
    EXPECT_NE(lower, upper);
    // Not merely a case change of the hex digits either.
    std::string upper_lowered = upper;
    for (char& ch : upper_lowered) ch = static_cast<char>(std::tolower(ch));
    EXPECT_NE(lower, upper_lowered);
}

}  // namespace
}  // namespace tovanel::store
