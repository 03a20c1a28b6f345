#include "json_line.h"

namespace tovanel::rtbtool {

std::string JsonQuote(const std::string& utf8) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
    return out;
}

void JsonLine::AddRaw(const std::string& key, const std::string& json_value) {
    if (!body_.empty()) body_ += ", ";
    body_ += JsonQuote(key);
    body_ += ": ";
    body_ += json_value;
}

void JsonLine::AddNumber(const std::string& key, int64_t value) {
    AddRaw(key, std::to_string(value));
}

void JsonLine::AddBool(const std::string& key, bool value) {
    AddRaw(key, value ? "true" : "false");
}

void JsonLine::AddString(const std::string& key, const std::string& utf8) {
    AddRaw(key, JsonQuote(utf8));
}

void JsonLine::AddNull(const std::string& key) {
    AddRaw(key, "null");
}

}  // namespace tovanel::rtbtool
