// Scanning GBK text: a byte of 0x80 or above starts a double-byte character,
// so a marker or separator byte is only recognised at a character boundary.
#pragma once

#include <cstddef>
#include <string>

namespace tovanel::replies {

// Length of the character that starts at `at` (1 or 2; 1 for a lone lead byte at the end).
inline size_t CharLengthAt(const std::string& text, size_t at) {
    const bool lead = static_cast<unsigned char>(text[at]) >= 0x80;
    return lead && at + 1 < text.size() ? 2 : 1;
}

}  // namespace tovanel::replies
