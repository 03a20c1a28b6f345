#include "reply_texts.h"

#include <random>

namespace tovanel::bench {
namespace {

std::string RandomChineseText(std::mt19937& rng, int characters) {
    std::string text;
    for (int i = 0; i < characters; ++i) {
        if (i % 17 == 16) {
            text += (i % 34 == 33) ? "。" : "，";
            continue;
        }
        // GBK level-1 hanzi: lead 0xB0-0xD7, trail 0xA1-0xFE.
        text += static_cast<char>(0xB0 + rng() % 40);
        text += static_cast<char>(0xA1 + rng() % 94);
    }
    return text;
}

}  // namespace

std::vector<Reply> MakeReplies(int count) {
    std::mt19937 rng(static_cast<unsigned>(count));
    std::vector<Reply> replies;
    for (int i = 0; i < count; ++i) {
        Reply reply;
        if (i < 12) reply.hotkey = "F" + std::to_string(i + 1);
        // Mostly short replies, about one in six long (over 500 bytes).
        const int characters = rng() % 6 == 0 ? 251 + rng() % 50 : 20 + rng() % 130;
        reply.content = RandomChineseText(rng, characters);
        replies.push_back(std::move(reply));
    }
    return replies;
}

}  // namespace tovanel::bench
