#include "json_line.h"

#include "common/json_quote.h"

namespace tovanel::rtbtool {

using tools::JsonQuote;

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
