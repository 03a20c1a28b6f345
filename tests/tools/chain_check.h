// Reads a table's files directly and checks that its long-text blocks are
// shared by nobody: every block belongs to at most one value's chain or to
// the free list, and no chain runs in a loop or out of the file.
#pragma once

#include <string>

namespace tovanel::testing {

struct ChainReport {
    bool readable = false;  // both files could be read and parsed
    int blocks = 0;         // block count from the long-text header
    int in_chains = 0;
    int free_listed = 0;
    int shared = 0;     // blocks claimed twice (two chains, or chain and free list)
    int bad_links = 0;  // numbers out of range, loops, broken previous links
    int orphans = 0;    // blocks neither used nor free
    std::string first_problem;
    std::string Describe() const;
};

ChainReport CheckChains(const std::string& table_path, const std::string& long_text_path,
                        const std::string& password);

}  // namespace tovanel::testing
