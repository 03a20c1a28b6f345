// Making a new, empty table: only the table tool and tests do this.
#include <cstring>

#include "store/crypto.h"
#include "store/error_codes.h"
#include "store/table.h"

namespace tovanel::store {

using namespace format;

namespace {

int WriteFile(FileSystem& fs, const std::string& path, const std::string& password,
              const std::vector<uint8_t>& plain) {
    std::unique_ptr<File> raw;
    if (int code = fs.Create(path, &raw); code != 0) return code;
    StoreFile file(std::move(raw), fs);
    file.SetPassword(password);
    return file.Write(0, plain.data(), static_cast<int32_t>(plain.size()));
}

std::vector<uint8_t> LongTextImage() {
    std::vector<uint8_t> block(kBlockSize, 0);
    std::memcpy(block.data(), kLongTextMagic, 4);
    PutI32(block.data() + 4, kVersion);
    PutI32(block.data() + 16, 1);
    return block;
}

}  // namespace

int CreateTable(FileSystem& fs, const std::string& path, const std::string& password,
                const std::vector<FieldInfo>& fields) {
    if (fields.empty()) return err::kBadHeader;
    std::vector<FieldInfo> laid_out = fields;
    int32_t offset = 4;  // after the record number
    bool has_long = false;
    for (FieldInfo& f : laid_out) {
        const int32_t size = FieldSize(f.type, f.width);
        if (size <= 0 || f.name.empty() || f.name.size() >= size_t(kNameLimit))
            return err::kBadHeader;
        f.offset = offset;
        offset += size;
        has_long = has_long || IsLongType(f.type);
    }
    TableHeader header;
    std::memcpy(header.magic, password.empty() ? kPlainMagic : kProtectedMagic, 4);
    header.version = kVersion;
    header.record_count = 0;
    header.next_number = 1;
    header.record_size = offset;
    if (!password.empty()) header.check = PasswordCheckString(password);

    std::vector<uint8_t> image(kDescriptorsOffset + laid_out.size() * kDescriptorSize, 0);
    WriteHeader(header, image.data());
    PutI32(image.data() + kFieldCountOffset, static_cast<int32_t>(laid_out.size()));
    for (size_t i = 0; i < laid_out.size(); ++i)
        WriteDescriptor(laid_out[i], image.data() + kDescriptorsOffset + i * kDescriptorSize);

    if (has_long) {
        if (int code = WriteFile(fs, WithExtension(fs, path, "RTL"), password, LongTextImage());
            code != 0)
            return code;
    }
    return WriteFile(fs, path, password, image);
}

}  // namespace tovanel::store
