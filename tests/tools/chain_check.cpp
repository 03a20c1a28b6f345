#include "chain_check.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "store/block_cipher.h"
#include "store/record_store.h"

namespace tovanel::testing {
namespace {

constexpr int kBlock = 512;

bool ReadDeciphered(const std::string& path, const std::string& password,
                    std::vector<uint8_t>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bytes->size() > 4) {
        store::BlockCipher cipher(password);
        cipher.Apply(4, bytes->data() + 4, bytes->size() - 4);
    }
    return true;
}

int32_t Int(const std::vector<uint8_t>& bytes, size_t offset) {
    if (offset + 4 > bytes.size()) return 0;
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

void Problem(ChainReport* report, int* counter, const std::string& what) {
    ++*counter;
    if (report->first_problem.empty()) report->first_problem = what;
}

// Marks blocks from `first` on; `owner` distinguishes claims for `shared`.
// The free list's head may keep a stale previous: taking the head block does
// not rewrite its successor.
void WalkChain(const std::vector<uint8_t>& rtl, int32_t first, int owner, bool free_list,
               std::vector<int>* claimed, ChainReport* report, int* counter) {
    int32_t previous = 0;
    int steps = 0;
    for (int32_t block = first; block != 0; ++steps) {
        const std::string where =
            "block " + std::to_string(block) + " (after " + std::to_string(previous) + ")";
        if (block < 1 || block >= report->blocks || steps > report->blocks) {
            Problem(report, &report->bad_links, where + " out of range");
            return;
        }
        int& claim = (*claimed)[block];
        if (claim == owner) {
            Problem(report, &report->bad_links, where + " loops");
            return;
        }
        if (claim != 0) Problem(report, &report->shared, where + " claimed twice");
        claim = owner;
        ++*counter;
        const size_t at = static_cast<size_t>(block) * kBlock;
        if (Int(rtl, at) != previous && !(free_list && steps == 0)) {
            Problem(report, &report->bad_links,
                    where + " has previous " + std::to_string(Int(rtl, at)));
        }
        previous = block;
        block = Int(rtl, at + 4);
    }
}

}  // namespace

std::string ChainReport::Describe() const {
    std::ostringstream text;
    text << "blocks " << blocks << ", in chains " << in_chains << ", free " << free_listed
         << ", shared " << shared << ", bad links " << bad_links << ", orphans " << orphans;
    if (!first_problem.empty()) text << "; first: " << first_problem;
    return text.str();
}

ChainReport CheckChains(const std::string& table_path, const std::string& long_text_path,
                        const std::string& password) {
    ChainReport report;
    std::vector<uint8_t> rtb, rtl;
    if (!ReadDeciphered(table_path, password, &rtb) ||
        !ReadDeciphered(long_text_path, password, &rtl) || rtb.size() < 116) {
        return report;
    }
    const int32_t count = Int(rtb, 16);
    const int32_t record_size = Int(rtb, 24);
    const int32_t fields = Int(rtb, 112);
    report.blocks = Int(rtl, 16);
    if (record_size <= 0 || fields <= 0 || report.blocks < 1) return report;
    const size_t data_start = 116 + 72 * static_cast<size_t>(fields);

    std::vector<int> claimed(static_cast<size_t>(report.blocks), 0);
    int owner = 0;
    for (int32_t k = 0; k < count; ++k) {
        const size_t record = data_start + static_cast<size_t>(k) * record_size;
        for (int32_t f = 0; f < fields; ++f) {
            const size_t descriptor = 116 + 72 * static_cast<size_t>(f);
            const int32_t type = Int(rtb, descriptor + 20);
            if (type != store::kLongText && type != store::kByteArray) continue;
            WalkChain(rtl, Int(rtb, record + Int(rtb, descriptor + 24)), ++owner, false, &claimed,
                      &report, &report.in_chains);
        }
    }
    // The free list last: a block both used and free counts as shared.
    WalkChain(rtl, Int(rtl, 24), ++owner, true, &claimed, &report, &report.free_listed);
    for (int32_t block = 1; block < report.blocks; ++block) {
        if (claimed[block] == 0) ++report.orphans;
    }
    report.readable = true;
    return report;
}

}  // namespace tovanel::testing
