// Writes the seed corpus: a few tiny valid tables, each as its table file
// followed by its long-text file. Run: fuzz_seed_maker <corpus folder>.
#include <cstdio>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "store/record_store.h"

namespace {

using tovanel::fuzz::MemoryFileSystem;
using tovanel::store::FieldInfo;
using tovanel::store::RecordStore;
using tovanel::store::Value;
using tovanel::store::Values;
namespace st = tovanel::store;

struct Seed {
    const char* file;
    const char* password;
    std::vector<FieldInfo> fields;
    std::vector<Values> records;
    int delete_index;  // -1: none
};

bool WriteSeed(const Seed& seed, const std::string& folder) {
    MemoryFileSystem fs;
    if (st::CreateTable(fs, "/mem/t.RTB", seed.password, seed.fields) != 0) return false;
    {
        RecordStore store(fs);
        if (!store.OpenTable("t", seed.password)) return false;
        for (const Values& values : seed.records) {
            if (!store.AddRecord(values)) return false;
        }
        if (seed.delete_index >= 0) {
            store.GoToFirstRecord();
            store.SkipRecords(seed.delete_index);
            if (!store.DeleteRecord()) return false;
        }
        store.CloseTable();
    }
    std::vector<uint8_t> bytes, long_text;
    fs.GetFile("/mem/t.RTB", &bytes);
    if (fs.GetFile("/mem/t.RTL", &long_text)) {
        bytes.insert(bytes.end(), long_text.begin(), long_text.end());
    }
    const std::string path = folder + "/" + seed.file;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

std::vector<Seed> Seeds() {
    const Value no(false), yes(true);
    const std::string long_reply(520, 'x');
    return {
        {"settings_protected",
         "240513",
         {{"paste", st::kLogical},
          {"tray", st::kLogical},
          {"hidden", st::kLogical},
          {"follow", st::kLogical},
          {"autostart", st::kLogical}},
         {{no, yes, no, yes, no}},
         -1},
        {"content_protected",
         "240513",
         {{"key", st::kFixedText, 0, 8}, {"text", st::kLongText}},
         {{Value(std::string("F1")), Value(std::string("hello"))},
          {std::nullopt, Value(long_reply)},
          {Value(std::string("F12")), Value(std::string("ok"))}},
         1},
        {"plain_mixed",
         "",
         {{"flag", st::kLogical}, {"code", st::kFixedText, 0, 4}, {"note", st::kLongText}},
         {{yes, Value(std::string("abcd")), Value(std::string("n1"))},
          {no, Value(std::string("x")), std::nullopt}},
         0},
        {"plain_empty", "", {{"name", st::kFixedText, 0, 6}}, {}, -1},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_maker <corpus folder>\n");
        return 2;
    }
    for (const Seed& seed : Seeds()) {
        if (!WriteSeed(seed, argv[1])) {
            std::fprintf(stderr, "cannot make seed %s\n", seed.file);
            return 1;
        }
    }
    return 0;
}
