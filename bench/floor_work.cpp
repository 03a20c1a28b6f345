// The floor: the bytes the store must read or write for each job, moved with
// plain pread/pwrite and deciphered or enciphered, without locks, checks or
// per-field calls. The layout is the reply table's: header, descriptors,
// records (number, hotkey, first block), and 512-byte long-text blocks.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "reply_work.h"
#include "store/block_cipher.h"

namespace tovanel::bench::floor_work {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr int64_t kBlock = 512;
constexpr int32_t kBlockData = 500;

// One open file descriptor.
class PlainFile {
  public:
    explicit PlainFile(const std::string& path) : fd_(open(path.c_str(), O_RDWR)) {
        if (fd_ < 0) std::abort();
    }
    ~PlainFile() { close(fd_); }
    PlainFile(const PlainFile&) = delete;
    PlainFile& operator=(const PlainFile&) = delete;

    Bytes ReadAll() {
        Bytes bytes(static_cast<size_t>(lseek(fd_, 0, SEEK_END)));
        if (pread(fd_, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
            std::abort();
        }
        return bytes;
    }
    void Read(int64_t offset, void* data, size_t size) {
        if (pread(fd_, data, size, offset) != static_cast<ssize_t>(size)) std::abort();
    }
    void Write(int64_t offset, const void* data, size_t size) {
        if (pwrite(fd_, data, size, offset) != static_cast<ssize_t>(size)) std::abort();
    }
    void Truncate(int64_t size) {
        if (ftruncate(fd_, size) != 0) std::abort();
    }

  private:
    int fd_;
};

int32_t Get(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
void Put(uint8_t* p, int32_t v) {
    std::memcpy(p, &v, 4);
}

// Both files of a table, the cipher, and the layout read from the header.
struct Table {
    explicit Table(const std::string& base)
        : rtb(base + ".RTB"), rtl(base + ".RTL"), cipher(kPassword) {}

    void ReadLayout() {
        uint8_t head[116 + 72 * 2];
        rtb.Read(0, head, sizeof head);
        cipher.Apply(4, head + 4, sizeof head - 4);
        count = Get(head + 16);
        next = Get(head + 20);
        record_size = Get(head + 24);
        hotkey_at = Get(head + 116 + 24);
        hotkey_width = Get(head + 116 + 28);
        content_at = Get(head + 116 + 72 + 24);
        data_start = 116 + 72 * Get(head + 112);
        rtl.Read(0, long_head, sizeof long_head);
        cipher.Apply(4, long_head + 4, sizeof long_head - 4);
    }
    // Enciphers `bytes` for `offset` and writes them.
    void Store(PlainFile& file, int64_t offset, Bytes bytes) {
        cipher.Apply(offset, bytes.data(), bytes.size());
        file.Write(offset, bytes.data(), bytes.size());
    }
    void StoreCounts() {
        Bytes counts(8);
        Put(counts.data(), count);
        Put(counts.data() + 4, next);
        Store(rtb, 16, counts);
        Store(rtl, 16, Bytes(long_head + 16, long_head + 28));
    }
    int32_t blocks() const { return Get(long_head + 16); }
    void set_blocks(int32_t n) { Put(long_head + 16, n); }

    // Appends the chain of `text` from block `first` on, in `blocks`.
    static void BuildChain(const std::string& text, int32_t first, Bytes* blocks) {
        const int32_t chunks = static_cast<int32_t>((text.size() + kBlockData - 1) / kBlockData);
        for (int32_t i = 0; i < chunks; ++i) {
            uint8_t block[kBlock] = {};
            const size_t from = static_cast<size_t>(i) * kBlockData;
            const int32_t length =
                static_cast<int32_t>(std::min<size_t>(kBlockData, text.size() - from));
            Put(block, i == 0 ? 0 : first + i - 1);
            Put(block + 4, i + 1 < chunks ? first + i + 1 : 0);
            Put(block + 8, length);
            std::memcpy(block + 12, text.data() + from, static_cast<size_t>(length));
            blocks->insert(blocks->end(), block, block + kBlock);
        }
    }
    void BuildRecord(const Reply& reply, int32_t first_block, Bytes* records) {
        Bytes record(static_cast<size_t>(record_size), 0);
        Put(record.data(), next++);
        std::memcpy(record.data() + hotkey_at, reply.hotkey.data(),
                    std::min<size_t>(reply.hotkey.size(), static_cast<size_t>(hotkey_width)));
        Put(record.data() + content_at, first_block);
        records->insert(records->end(), record.begin(), record.end());
    }

    PlainFile rtb, rtl;
    store::BlockCipher cipher;
    int32_t count = 0, next = 0, record_size = 0, hotkey_at = 0, hotkey_width = 0, content_at = 0;
    int64_t data_start = 0;
    uint8_t long_head[32] = {};
};

std::string ChainText(const Bytes& rtl, int32_t block) {
    std::string text;
    while (block != 0) {
        const uint8_t* b = rtl.data() + block * kBlock;
        text.append(reinterpret_cast<const char*>(b + 12), static_cast<size_t>(Get(b + 8)));
        block = Get(b + 4);
    }
    return text;
}

}  // namespace

size_t Load(const std::string& base) {
    Table table(base);
    Bytes rtb = table.rtb.ReadAll();
    Bytes rtl = table.rtl.ReadAll();
    table.cipher.Apply(4, rtb.data() + 4, rtb.size() - 4);
    table.cipher.Apply(4, rtl.data() + 4, rtl.size() - 4);
    const int32_t count = Get(rtb.data() + 16);
    const int32_t record_size = Get(rtb.data() + 24);
    const int64_t data_start = 116 + 72 * Get(rtb.data() + 112);
    const int32_t hotkey_at = Get(rtb.data() + 116 + 24);
    const int32_t content_at = Get(rtb.data() + 116 + 72 + 24);
    size_t bytes = 0;
    for (int32_t k = 0; k < count; ++k) {
        const uint8_t* record = rtb.data() + data_start + int64_t(k) * record_size;
        bytes += strnlen(reinterpret_cast<const char*>(record + hotkey_at), 8);
        bytes += ChainText(rtl, Get(record + content_at)).size();
    }
    return bytes;
}

void Add(const std::string& base, const Reply& reply) {
    Table table(base);
    table.ReadLayout();
    Bytes blocks, record;
    const int32_t first = reply.content.empty() ? 0 : table.blocks();
    Table::BuildChain(reply.content, first, &blocks);
    table.Store(table.rtl, first * kBlock, blocks);
    table.set_blocks(table.blocks() + static_cast<int32_t>(blocks.size() / kBlock));
    table.BuildRecord({"", reply.content}, first, &record);
    table.Store(table.rtb, table.data_start + int64_t(table.count) * table.record_size, record);
    ++table.count;
    table.StoreCounts();
}

void DeleteWithPurge(const std::string& base, const std::string& content) {
    Table table(base);
    table.ReadLayout();
    Bytes rtb = table.rtb.ReadAll();
    Bytes rtl = table.rtl.ReadAll();
    table.cipher.Apply(4, rtb.data() + 4, rtb.size() - 4);
    table.cipher.Apply(4, rtl.data() + 4, rtl.size() - 4);
    for (int32_t k = 0; k < table.count; ++k) {
        const int64_t at = table.data_start + int64_t(k) * table.record_size;
        int32_t block = Get(rtb.data() + at + table.content_at);
        if (ChainText(rtl, block) != content) continue;
        // Free the chain: zeroed blocks pushed on the free list.
        const int32_t first_free = Get(table.long_head + 24);
        Put(table.long_head + 24, block);
        while (block != 0) {
            Bytes freed(kBlock, 0);
            const int32_t next = Get(rtl.data() + block * kBlock + 4);
            Put(freed.data() + 4, next != 0 ? next : first_free);
            Put(table.long_head + 20, Get(table.long_head + 20) + 1);
            table.Store(table.rtl, block * kBlock, freed);
            block = next;
        }
        // Move the later records down over it and cut the file.
        table.Store(table.rtb, at, Bytes(rtb.begin() + at + table.record_size, rtb.end()));
        --table.count;
        table.rtb.Truncate(table.data_start + int64_t(table.count) * table.record_size);
        table.StoreCounts();
        return;
    }
}

void ClearAndAdd(const std::string& base, const std::vector<Reply>& replies) {
    Table table(base);
    table.ReadLayout();
    table.rtb.Truncate(table.data_start);
    table.rtl.Truncate(kBlock);
    table.count = 0;
    table.set_blocks(1);
    Put(table.long_head + 20, 0);
    Put(table.long_head + 24, 0);
    Bytes records, blocks;
    for (const Reply& reply : replies) {
        const int32_t first = reply.content.empty() ? 0 : table.blocks();
        Table::BuildChain(reply.content, first, &blocks);
        table.set_blocks(1 + static_cast<int32_t>(blocks.size() / kBlock));
        table.BuildRecord(reply, first, &records);
        ++table.count;
    }
    table.Store(table.rtl, kBlock, blocks);
    table.Store(table.rtb, table.data_start, records);
    table.StoreCounts();
}

}  // namespace tovanel::bench::floor_work
