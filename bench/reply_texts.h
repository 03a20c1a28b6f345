// Replies of realistic length and content for the benchmarks, the same for
// every run of a given count.
#pragma once

#include <string>
#include <vector>

namespace tovanel::bench {

struct Reply {
    std::string hotkey;   // "" or "F1".."F12"
    std::string content;  // GBK, 20-300 characters, some over 500 bytes
};

std::vector<Reply> MakeReplies(int count);

}  // namespace tovanel::bench
