#include "replies/reply_text.h"

#include "replies/gbk_text.h"

namespace tovanel::replies {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kFullWidthSpace = "\xA1\xA1";

// First `marker` at a character boundary at or after `from`, or npos.
size_t FindMarker(const std::string& text, const std::string& marker, size_t from,
                  bool ignore_case) {
    if (marker.empty()) return std::string::npos;
    for (size_t at = from; at + marker.size() <= text.size(); at += CharLengthAt(text, at)) {
        bool equal = true;
        for (size_t i = 0; i < marker.size() && equal; ++i) {
            char a = text[at + i];
            char b = marker[i];
            if (ignore_case && a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
            if (ignore_case && b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
            equal = a == b;
        }
        if (equal) return at;
    }
    return std::string::npos;
}

std::string WithQuotes(std::string marker) {
    static const std::string kQuoteName = "#引号";
    for (size_t at = marker.find(kQuoteName); at != std::string::npos;
         at = marker.find(kQuoteName, at + 1)) {
        marker.replace(at, kQuoteName.size(), "\"");
    }
    return marker;
}

// Empty, or nothing but ASCII spaces, tabs and full-width spaces.
bool IsBlankLine(const std::string& line) {
    for (size_t at = 0; at < line.size(); at += CharLengthAt(line, at)) {
        if (line[at] == ' ' || line[at] == '\t') continue;
        if (line.compare(at, 2, kFullWidthSpace) == 0) continue;
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> SplitText(const std::string& text, const std::string& separator,
                                   size_t limit) {
    std::vector<std::string> pieces;
    if (text.empty() || separator.empty()) {
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    size_t piece_start = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (text.compare(at, separator.size(), separator) == 0) {
            pieces.push_back(text.substr(piece_start, at - piece_start));
            if (limit > 0 && pieces.size() == limit) return pieces;
            at += separator.size();
            piece_start = at;
        } else {
            at += CharLengthAt(text, at);
        }
    }
    if (piece_start < text.size()) pieces.push_back(text.substr(piece_start));
    return pieces;
}

std::string TextBetween(const std::string& text, const std::string& start_marker,
                        const std::string& end_marker, size_t start_position, bool ignore_case) {
    const std::string start = WithQuotes(start_marker);
    const std::string end = WithQuotes(end_marker);
    const size_t from = start_position > 0 ? start_position - 1 : 0;
    const size_t found = FindMarker(text, start, from, ignore_case);
    if (found == std::string::npos) return "";
    const size_t inside = found + start.size();
    const size_t closing = FindMarker(text, end, inside, ignore_case);
    if (closing == std::string::npos) return "";
    return text.substr(inside, closing - inside);
}

std::string ExportText(const std::vector<ReplyRow>& rows) {
    std::string text;
    for (const ReplyRow& row : rows) {
        if (row.IsAttachment()) continue;
        text += "[" + row.key + "]" + row.text + kLineEnd;
    }
    return text;
}

ParsedReplies ParseReplyText(const std::string& bytes) {
    ParsedReplies parsed;
    const std::string text = bytes.substr(0, bytes.find_first_of(std::string("\0\x1A", 2)));
    const std::vector<std::string> lines = SplitText(text, kLineEnd);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsBlankLine(line)) continue;
        const std::vector<std::string> pieces = SplitText(line, "]", 2);
        if (pieces.size() < 2) {
            parsed.rows.clear();
            parsed.bad_line = i + 1;
            return parsed;
        }
        parsed.rows.push_back({TextBetween(line, "[", "]", 0, true), pieces[1]});
    }
    return parsed;
}

}  // namespace tovanel::replies
