#include "store/block_cipher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "store/crypto.h"

namespace tovanel::store {
namespace {

constexpr int64_t kBlock = BlockCipher::kBlockSize;

// The key byte for one offset, derived from scratch with no state shared between calls.
uint8_t ReferenceKeyByte(const std::string& password, int64_t p) {
    const int64_t block = p / kBlock;
    const int64_t in_block = p % kBlock;
    Rc4 base(password.data(), password.size());
    base.Skip(static_cast<size_t>(4 * block));
    uint8_t word_bytes[4];
    base.Fill(word_bytes, 4);
    uint32_t word = 0;
    for (int i = 3; i >= 0; --i) word = word << 8 | word_bytes[i];
    const uint32_t mixed = word ^ static_cast<uint32_t>(block);

    std::vector<uint8_t> key(word_bytes, word_bytes + 4);
    const std::string check = PasswordCheckString(password);
    key.insert(key.end(), check.begin(), check.end());
    for (int i = 0; i < 4; ++i) key.push_back(static_cast<uint8_t>(mixed >> (8 * i)));
    EXPECT_EQ(key.size(), 40u);

    Rc4 block_rc4(key.data(), key.size());
    block_rc4.Skip(static_cast<size_t>(36 + in_block));
    return block_rc4.Next();
}

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
    return data;
}

std::vector<uint8_t> Applied(BlockCipher& cipher, int64_t offset, std::vector<uint8_t> data) {
    cipher.Apply(offset, data.data(), data.size());
    return data;
}

const std::string kPassword = "240513";

TEST(BlockCipherTest, EmptyPasswordLeavesDataAlone) {
    BlockCipher cipher("");
    EXPECT_FALSE(cipher.enabled());
    const auto plain = Pattern(3 * kBlock);
    EXPECT_EQ(Applied(cipher, 0, plain), plain);
    EXPECT_EQ(Applied(cipher, 1000 * kBlock + 17, plain), plain);
}

TEST(BlockCipherTest, ApplyingTwiceRestoresTheInput) {
    BlockCipher cipher(kPassword);
    EXPECT_TRUE(cipher.enabled());
    const auto plain = Pattern(3 * kBlock + 100);
    const auto enciphered = Applied(cipher, 0, plain);
    EXPECT_NE(enciphered, plain);
    EXPECT_EQ(Applied(cipher, 0, enciphered), plain);
}

TEST(BlockCipherTest, MagicBytesStayPlain) {
    BlockCipher cipher(kPassword);
    const auto plain = Pattern(64);
    const auto from_zero = Applied(cipher, 0, plain);
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 4, from_zero.begin()));

    // A range that starts inside the magic: its first two bytes are plain, the rest keyed.
    const std::vector<uint8_t> zeros(6, 0);
    const auto from_two = Applied(cipher, 2, zeros);
    EXPECT_EQ(from_two[0], 0);
    EXPECT_EQ(from_two[1], 0);
    for (int64_t p = 4; p < 8; ++p) EXPECT_EQ(from_two[p - 2], ReferenceKeyByte(kPassword, p));
}

TEST(BlockCipherTest, KeyBytesMatchTheReferenceDerivation) {
    const std::string passwords[] = {kPassword, "Password", std::string("\xc4\xe3\xba\xc3", 4)};
    const int64_t offsets[] = {4,
                               5,
                               63,
                               4095,
                               4096,
                               4097,
                               8191,
                               8192,
                               kBlock * 37 + 5,
                               kBlock * 256 + 1,
                               kBlock * 1000 + 4095};
    for (const auto& password : passwords) {
        BlockCipher cipher(password);
        for (int64_t p : offsets) {
            uint8_t byte = 0;
            cipher.Apply(p, &byte, 1);
            EXPECT_EQ(byte, ReferenceKeyByte(password, p)) << "offset " << p;
        }
    }
}

TEST(BlockCipherTest, WholeFirstBlocksMatchTheReference) {
    BlockCipher cipher(kPassword);
    const auto key = Applied(cipher, 0, std::vector<uint8_t>(2 * kBlock, 0));
    for (int64_t p = 4; p < 2 * kBlock; p += 97) {
        ASSERT_EQ(key[p], ReferenceKeyByte(kPassword, p)) << "offset " << p;
    }
}

TEST(BlockCipherTest, PasswordsDifferingInCaseGiveDifferentKeys) {
    BlockCipher lower("password");
    BlockCipher upper("Password");
    const std::vector<uint8_t> zeros(256, 0);
    EXPECT_NE(Applied(lower, 4, zeros), Applied(upper, 4, zeros));
}

struct SplitCase {
    const char* name;
    int64_t offset;
    std::vector<size_t> pieces;  // sizes applied one after another
};

// Reads and writes touch arbitrary ranges; the result must not depend on how a range is cut.
TEST(BlockCipherTest, PiecewiseApplyEqualsOneCall) {
    const SplitCase cases[] = {
        {"bytes around the magic", 0, {1, 2, 1, 1, 3, 100}},
        {"up to and across the first boundary", 4, {4091, 1, 1, 200}},
        {"boundary inside a piece", 4000, {50, 100, 4096, 10}},
        {"exactly one block", kBlock, {kBlock}},
        {"several blocks at once then bytes", kBlock - 1, {1, 3 * kBlock, 1, 1}},
        {"far block, base stream grows", kBlock * 1000 - 10, {5, 5, 5, kBlock, 3}},
        {"beyond two-level growth", kBlock * 5000 + 4090, {6, 6, 1}},
    };
    for (const auto& c : cases) {
        size_t total = 0;
        for (size_t size : c.pieces) total += size;
        const auto plain = Pattern(total);

        BlockCipher whole_cipher(kPassword);
        const auto whole = Applied(whole_cipher, c.offset, plain);

        BlockCipher piece_cipher(kPassword);
        auto pieces = plain;
        size_t at = 0;
        for (size_t size : c.pieces) {
            piece_cipher.Apply(c.offset + static_cast<int64_t>(at), pieces.data() + at, size);
            at += size;
        }
        EXPECT_EQ(pieces, whole) << c.name;
    }
}

// One long-lived cipher visiting blocks in an order that forces cache eviction, revisits
// of evicted blocks and base-stream lookups behind its end must agree with fresh ciphers.
TEST(BlockCipherTest, CacheAndBaseStreamStayConsistentAcrossManyBlocks) {
    std::vector<int64_t> visits = {1000, 0, 5, 999, 1000};
    for (int64_t b = 0; b < 100; ++b) visits.push_back(b);  // more blocks than any cache holds
    for (int64_t b : {0, 1000, 50, 99, 7, 2000, 1}) visits.push_back(b);

    BlockCipher shared(kPassword);
    const auto plain = Pattern(48);
    for (int64_t b : visits) {
        const int64_t offset = b * kBlock + 2020;
        BlockCipher fresh(kPassword);
        ASSERT_EQ(Applied(shared, offset, plain), Applied(fresh, offset, plain)) << "block " << b;
    }
}

}  // namespace
}  // namespace tovanel::store
