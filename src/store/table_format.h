// The on-disk layout of a table file and its long-text file.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "store/record_store.h"

namespace tovanel::store::format {

constexpr int32_t kVersion = 0x10000;
constexpr int32_t kHeaderSize = 112;
// No table of this system comes near it; a header claiming more is damage,
// and honouring it would mean gigabyte records for every add and purge.
constexpr int32_t kMaxRecordSize = 16 << 20;
constexpr int64_t kFieldCountOffset = 112;
constexpr int64_t kDescriptorsOffset = 116;
constexpr int32_t kDescriptorSize = 72;
constexpr int64_t kCountOffset = 16;  // record count, then next record number
constexpr int32_t kCheckOffset = 28;
constexpr int32_t kCheckLength = 32;
constexpr int32_t kNameBytes = 20;
constexpr int32_t kNameLimit = 17;  // a zero byte must lie within these

constexpr char kPlainMagic[] = "QRTB";
constexpr char kProtectedMagic[] = "QRTC";
constexpr char kLongTextMagic[] = "QRTL";

constexpr int32_t kBlockSize = 512;
constexpr int32_t kBlockHeaderSize = 12;
constexpr int32_t kBlockData = kBlockSize - kBlockHeaderSize;  // 500
constexpr int32_t kLongHeaderSize = 32;
constexpr int64_t kBlockCountOffset = 16;

inline int32_t GetI32(const uint8_t* p) {
    uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return static_cast<int32_t>(v);
}
inline void PutI32(uint8_t* p, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

struct TableHeader {
    char magic[4] = {};
    int32_t version = 0;
    int32_t record_count = 0;
    int32_t next_number = 0;
    int32_t record_size = 0;
    std::string check;  // 32 characters
};

TableHeader ParseHeader(const uint8_t* bytes);
void WriteHeader(const TableHeader& header, uint8_t* bytes);

// Bytes a field of the given type occupies in a record; 0 for an unknown type.
int32_t FieldSize(int32_t type, int32_t width);
bool IsTextType(int32_t type);
bool IsLongType(int32_t type);

// Parses one 72-byte descriptor; false when it is not acceptable for a
// record of `record_size` bytes (name, type, width, or outside bytes 4..R-1).
bool ParseDescriptor(const uint8_t* bytes, int32_t record_size, FieldInfo* field);
void WriteDescriptor(const FieldInfo& field, uint8_t* bytes);

}  // namespace tovanel::store::format
