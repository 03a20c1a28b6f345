// The reply text file: one line "[" + hotkey + "]" + content + CR LF per text
// reply, GBK, no header; and the two text routines that read it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "replies/reply_row.h"

namespace tovanel::replies {

// Pieces of `text` between occurrences of `separator`, found only at character
// boundaries. Two separators in a row give an empty piece; a text ending with
// the separator gives no empty last piece. With `limit` > 0 the scan stops once
// that many pieces are made and the rest is dropped.
std::vector<std::string> SplitText(const std::string& text, const std::string& separator,
                                   size_t limit = 0);

// The text strictly between the first `start_marker` at or after `start_position`
// (0 and 1 both mean the first character) and the first `end_marker` behind it;
// "" when either is missing. "#引号" in a marker stands for a double quote.
std::string TextBetween(const std::string& text, const std::string& start_marker,
                        const std::string& end_marker, size_t start_position, bool ignore_case);

// The file's bytes for these rows: text rows only, in order.
std::string ExportText(const std::vector<ReplyRow>& rows);

struct ParsedReplies {
    std::vector<ReplyRow> rows;
    // 1-based number of the first non-blank line without content; 0 when every line has one.
    size_t bad_line = 0;
};

// Reads a whole reply file. The text ends at the first NUL or Ctrl-Z; lines
// end with CR LF only. Blank lines are skipped; any other line must hold a "]"
// with the content behind it, else the whole file is refused by `bad_line`.
ParsedReplies ParseReplyText(const std::string& bytes);

}  // namespace tovanel::replies
