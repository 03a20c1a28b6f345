#include "store/table_format.h"

namespace tovanel::store::format {

TableHeader ParseHeader(const uint8_t* bytes) {
    TableHeader h;
    std::memcpy(h.magic, bytes, 4);
    h.version = GetI32(bytes + 4);
    h.record_count = GetI32(bytes + 16);
    h.next_number = GetI32(bytes + 20);
    h.record_size = GetI32(bytes + 24);
    h.check.assign(reinterpret_cast<const char*>(bytes + kCheckOffset), kCheckLength);
    return h;
}

void WriteHeader(const TableHeader& h, uint8_t* bytes) {
    std::memset(bytes, 0, kHeaderSize);
    std::memcpy(bytes, h.magic, 4);
    PutI32(bytes + 4, h.version);
    PutI32(bytes + 16, h.record_count);
    PutI32(bytes + 20, h.next_number);
    PutI32(bytes + 24, h.record_size);
    std::memcpy(bytes + kCheckOffset, h.check.data(),
                std::min<size_t>(h.check.size(), kCheckLength));
}

int32_t FieldSize(int32_t type, int32_t width) {
    switch (type) {
        case 1:
            return 1;
        case 2:
            return 2;
        case 3:
            return 4;
        case 4:
            return 8;
        case 5:
            return 4;
        case 6:
            return 8;
        case 7:
            return 1;
        case 8:
            return 8;
        case 9:
            return 4;
        case 10:
            return width;
        case 11:
            return 4;
        case 12:
            return 4;
        default:
            return 0;
    }
}

bool IsTextType(int32_t type) {
    return type == kFixedText || type == kByteArray || type == kLongText;
}
bool IsLongType(int32_t type) {
    return type == kByteArray || type == kLongText;
}

bool ParseDescriptor(const uint8_t* bytes, int32_t record_size, FieldInfo* field) {
    const void* zero = std::memchr(bytes, 0, kNameLimit);
    if (zero == nullptr) return false;
    field->name.assign(reinterpret_cast<const char*>(bytes),
                       static_cast<const uint8_t*>(zero) - bytes);
    field->type = GetI32(bytes + 20);
    field->offset = GetI32(bytes + 24);
    field->width = GetI32(bytes + 28);
    if (field->type < 1 || field->type > 12 || field->offset < 0) return false;
    if (field->type == kFixedText && field->width <= 0) return false;
    if (field->type != kFixedText) field->width = 0;
    // A field reaching outside its record would let reads and writes stray
    // into the neighbouring record or past the record buffer.
    const int64_t end = int64_t(field->offset) + FieldSize(field->type, field->width);
    return field->offset >= 4 && end <= record_size;
}

void WriteDescriptor(const FieldInfo& field, uint8_t* bytes) {
    std::memset(bytes, 0, kDescriptorSize);
    std::memcpy(bytes, field.name.data(), std::min<size_t>(field.name.size(), kNameLimit - 1));
    PutI32(bytes + 20, field.type);
    PutI32(bytes + 24, field.offset);
    PutI32(bytes + 28, field.type == kFixedText ? field.width : 0);
}

}  // namespace tovanel::store::format
