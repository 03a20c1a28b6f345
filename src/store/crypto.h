// MD5 (RFC 1321), RC4, and the table password scheme built from them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tovanel::store {

std::array<uint8_t, 16> Md5(const void* data, size_t size);

class Rc4 {
  public:
    Rc4(const void* key, size_t key_size);
    uint8_t Next();
    void Skip(size_t count);
    void Fill(uint8_t* out, size_t count);

  private:
    std::array<uint8_t, 256> s_;
    uint8_t i_ = 0;
    uint8_t j_ = 0;
};

// The 32-character check string stored in a protected table's header:
// MD5 as lowercase hex, neighbouring characters swapped, then reversed.
std::string PasswordCheckString(const std::string& password);

}  // namespace tovanel::store
