// Opening a table: the header, the password check, the size repair, the
// field descriptors and the long-text file, all under the whole-file lock.
#include <cstring>

#include "store/crypto.h"
#include "store/error_codes.h"
#include "store/table.h"

namespace tovanel::store {

using namespace format;

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

// Header steps: magic and password, then counts and version.
int AcceptHeader(StoreFile& file, const std::string& password, TableHeader* header) {
    uint8_t raw[kHeaderSize];
    if (int code = file.ReadExact(0, raw, kHeaderSize, err::kBadHeader); code != 0) return code;
    // The magic is never enciphered; it tells whether the rest is.
    const bool plain = std::memcmp(raw, kPlainMagic, 4) == 0;
    const bool sealed = std::memcmp(raw, kProtectedMagic, 4) == 0;
    if (!plain && !sealed) return err::kBadHeader;
    if (plain != password.empty()) return err::kBadPassword;
    if (sealed) {
        file.SetPassword(password);
        if (int code = file.ReadExact(0, raw, kHeaderSize, err::kBadHeader); code != 0) return code;
    }
    *header = ParseHeader(raw);
    if (sealed && !EqualIgnoringCase(header->check, PasswordCheckString(password)))
        return err::kBadPassword;
    if (header->record_size <= 0 || header->record_size > kMaxRecordSize ||
        header->record_count < 0 || header->next_number < 1)
        return err::kBadHeader;
    if (header->version > kVersion) return err::kBadVersion;
    return 0;
}

int ReadDescriptors(StoreFile& file, Table* table) {
    uint8_t count_bytes[4];
    if (int code = file.ReadExact(kFieldCountOffset, count_bytes, 4, err::kBadHeader); code != 0)
        return code;
    const int32_t count = GetI32(count_bytes);
    int64_t size = 0;
    if (int code = file.Size(&size); code != 0) return code;
    // The descriptors must be in the file in full: this also bounds the count.
    if (count <= 0 || kDescriptorsOffset + int64_t(count) * kDescriptorSize > size)
        return err::kBadHeader;
    std::vector<uint8_t> bytes(size_t(count) * kDescriptorSize);
    if (int code = file.ReadExact(kDescriptorsOffset, bytes.data(), int32_t(bytes.size()),
                                  err::kBadHeader);
        code != 0)
        return code;
    table->data_start = kDescriptorsOffset + int64_t(count) * kDescriptorSize;
    table->fields.resize(count);
    for (int32_t i = 0; i < count; ++i) {
        if (!ParseDescriptor(bytes.data() + size_t(i) * kDescriptorSize, table->record_size,
                             &table->fields[i]))
            return err::kBadHeader;
    }
    return 0;
}

// A header that counts more records than the file holds is lowered, and
// bytes after the last counted record are cut off.
int RepairSize(StoreFile& file, Table* table) {
    int64_t size = 0;
    if (int code = file.Size(&size); code != 0) return code;
    const int64_t whole = (size - table->data_start) / table->record_size;
    int32_t& count = table->header.record_count;
    if (whole < count) {
        count = static_cast<int32_t>(whole);
        uint8_t bytes[4];
        PutI32(bytes, count);
        if (int code = file.Write(kCountOffset, bytes, 4); code != 0) return code;
    }
    const int64_t wanted = table->RecordOffset(count);
    return wanted == size ? 0 : file.SetSize(wanted);
}

int OpenLongText(FileSystem& fs, const std::string& password, Table* table) {
    std::unique_ptr<File> raw;
    if (fs.Open(WithExtension(fs, table->full_path, "RTL"), &raw) != 0)
        return err::kBadLongTextFile;
    auto file = std::make_unique<StoreFile>(std::move(raw), fs);
    file->SetPassword(password);
    WholeLock lock(file->locks());
    if (lock.code() != 0) return lock.code();
    uint8_t h[kLongHeaderSize];
    if (file->ReadExact(0, h, kLongHeaderSize, err::kBadLongTextFile) != 0)
        return err::kBadLongTextFile;
    int32_t blocks = GetI32(h + 16);
    const int32_t free_count = GetI32(h + 20);
    const int32_t first_free = GetI32(h + 24);
    if (std::memcmp(h, kLongTextMagic, 4) != 0 || blocks < 1 || free_count < 0 ||
        free_count >= blocks || first_free < 0 || first_free >= blocks)
        return err::kBadLongTextFile;
    if (GetI32(h + 4) != table->header.version) return err::kLongTextVersion;
    int64_t size = 0;
    if (int code = file->Size(&size); code != 0) return code;
    if (size / kBlockSize < blocks) {
        blocks = static_cast<int32_t>(size / kBlockSize);
        if (blocks < 1) return err::kBadLongTextFile;
        // A free list reaching into the cut-off tail would make the next open
        // refuse the file: drop it (its blocks leak, no value is touched).
        const bool list_cut = first_free >= blocks || free_count >= blocks;
        uint8_t bytes[12];
        PutI32(bytes, blocks);
        PutI32(bytes + 4, list_cut ? 0 : free_count);
        PutI32(bytes + 8, list_cut ? 0 : first_free);
        if (int code = file->Write(kBlockCountOffset, bytes, 12); code != 0) return code;
    }
    if (int code = lock.code(); code != 0) return code;
    table->long_file = std::move(file);
    return 0;
}

bool HasLongFields(const Table& table) {
    for (const FieldInfo& f : table.fields)
        if (IsLongType(f.type)) return true;
    return false;
}

int Accept(FileSystem& fs, const std::string& password, Table* table) {
    StoreFile& file = *table->file;
    WholeLock lock(file.locks());
    if (lock.code() != 0) return lock.code();
    if (int code = AcceptHeader(file, password, &table->header); code != 0) return code;
    table->record_size = table->header.record_size;
    if (int code = ReadDescriptors(file, table); code != 0) return code;
    if (int code = RepairSize(file, table); code != 0) return code;
    if (HasLongFields(*table)) return OpenLongText(fs, password, table);
    return 0;
}

}  // namespace

int OpenTableFiles(FileSystem& fs, const std::string& full_path, const std::string& password,
                   std::unique_ptr<Table>* out) {
    std::unique_ptr<File> raw;
    if (int code = fs.Open(full_path, &raw); code != 0) return code;
    auto table = std::make_unique<Table>();
    table->full_path = full_path;
    table->short_name = ShortName(fs, full_path);
    table->file = std::make_unique<StoreFile>(std::move(raw), fs);
    if (int code = Accept(fs, password, table.get()); code != 0) return code;
    table->cursor = 0;
    *out = std::move(table);
    return 0;
}

}  // namespace tovanel::store
