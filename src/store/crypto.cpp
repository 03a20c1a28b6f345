#include "store/crypto.h"

#include <cstring>
#include <utility>

namespace tovanel::store {
namespace {

constexpr uint32_t kMd5Sines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

constexpr int kMd5Shifts[4][4] = {
    {7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

uint32_t RotateLeft(uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

uint32_t LoadLe32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void StoreLe32(uint32_t v, uint8_t* p) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// One 64-byte chunk of the MD5 compression function.
void Md5Chunk(uint32_t state[4], const uint8_t* chunk) {
    uint32_t m[16];
    for (int i = 0; i < 16; ++i) m[i] = LoadLe32(chunk + 4 * i);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int i = 0; i < 64; ++i) {
        const int round = i / 16;
        uint32_t f;
        int g;
        switch (round) {
            case 0:
                f = (b & c) | (~b & d);
                g = i;
                break;
            case 1:
                f = (d & b) | (~d & c);
                g = (5 * i + 1) % 16;
                break;
            case 2:
                f = b ^ c ^ d;
                g = (3 * i + 5) % 16;
                break;
            default:
                f = c ^ (b | ~d);
                g = (7 * i) % 16;
                break;
        }
        const uint32_t rotated = RotateLeft(a + f + kMd5Sines[i] + m[g], kMd5Shifts[round][i % 4]);
        a = d;
        d = c;
        c = b;
        b += rotated;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

}  // namespace

std::array<uint8_t, 16> Md5(const void* data, size_t size) {
    uint32_t state[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t whole = size - size % 64;
    for (size_t pos = 0; pos < whole; pos += 64) Md5Chunk(state, bytes + pos);

    // Padding: 0x80, zeros, then the bit length; one or two final chunks.
    uint8_t tail[128] = {};
    const size_t rest = size - whole;
    if (rest > 0) std::memcpy(tail, bytes + whole, rest);
    tail[rest] = 0x80;
    const size_t tail_size = rest < 56 ? 64 : 128;
    const uint64_t bit_length = static_cast<uint64_t>(size) * 8;
    for (int i = 0; i < 8; ++i)
        tail[tail_size - 8 + i] = static_cast<uint8_t>(bit_length >> (8 * i));
    for (size_t pos = 0; pos < tail_size; pos += 64) Md5Chunk(state, tail + pos);

    std::array<uint8_t, 16> digest;
    for (int i = 0; i < 4; ++i) StoreLe32(state[i], digest.data() + 4 * i);
    return digest;
}

Rc4::Rc4(const void* key, size_t key_size) {
    const auto* k = static_cast<const uint8_t*>(key);
    for (int i = 0; i < 256; ++i) s_[i] = static_cast<uint8_t>(i);
    if (key_size == 0) return;  // no key: identity state, never used for enciphering
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<uint8_t>(j + s_[i] + k[i % key_size]);
        std::swap(s_[i], s_[j]);
    }
}

uint8_t Rc4::Next() {
    i_ = static_cast<uint8_t>(i_ + 1);
    j_ = static_cast<uint8_t>(j_ + s_[i_]);
    std::swap(s_[i_], s_[j_]);
    return s_[static_cast<uint8_t>(s_[i_] + s_[j_])];
}

void Rc4::Skip(size_t count) {
    for (size_t n = 0; n < count; ++n) Next();
}

void Rc4::Fill(uint8_t* out, size_t count) {
    for (size_t n = 0; n < count; ++n) out[n] = Next();
}

std::string PasswordCheckString(const std::string& password) {
    static constexpr char kHex[] = "0123456789abcdef";
    const auto digest = Md5(password.data(), password.size());
    std::string hex;
    hex.reserve(32);
    for (uint8_t byte : digest) {
        hex.push_back(kHex[byte >> 4]);
        hex.push_back(kHex[byte & 0x0f]);
    }
    for (size_t i = 0; i < hex.size(); i += 2) std::swap(hex[i], hex[i + 1]);
    return std::string(hex.rbegin(), hex.rend());
}

}  // namespace tovanel::store
