#include "store/store_file.h"

#include <vector>

namespace tovanel::store {

int StoreFile::ReadExact(int64_t offset, void* data, int32_t size, int short_code) {
    int32_t done = 0;
    if (int code = Read(offset, data, size, &done); code != 0) return code;
    return done < size ? short_code : 0;
}

int StoreFile::Read(int64_t offset, void* data, int32_t size, int32_t* done) {
    *done = 0;
    if (int code = file_->Read(offset, data, size, done); code != 0) return code;
    cipher_.Apply(offset, static_cast<uint8_t*>(data), static_cast<size_t>(*done));
    return 0;
}

int StoreFile::Write(int64_t offset, const void* data, int32_t size) {
    if (!cipher_.enabled()) return file_->Write(offset, data, size);
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::vector<uint8_t> sealed(bytes, bytes + size);
    cipher_.Apply(offset, sealed.data(), sealed.size());
    return file_->Write(offset, sealed.data(), size);
}

}  // namespace tovanel::store
