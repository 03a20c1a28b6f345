#include "json_writer.h"

#include "common/json_quote.h"

#include <cstdio>

namespace e2edriver {

using tovanel::tools::JsonQuote;

void JsonObject::Key(const std::string& key) {
    if (!body_.empty()) body_ += ",";
    body_ += JsonQuote(key) + ":";
}

JsonObject& JsonObject::Add(const std::string& key, const std::string& utf8) {
    Key(key);
    body_ += JsonQuote(utf8);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, int64_t value) {
    Key(key);
    body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, bool value) {
    Key(key);
    body_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::AddRaw(const std::string& key, const std::string& json) {
    Key(key);
    body_ += json;
    return *this;
}

void JsonArray::Comma() {
    if (!body_.empty()) body_ += ",";
}

JsonArray& JsonArray::AddRaw(const std::string& json) {
    Comma();
    body_ += json;
    return *this;
}

JsonArray& JsonArray::Add(const std::string& utf8) {
    return AddRaw(JsonQuote(utf8));
}

JsonArray& JsonArray::Add(int64_t value) {
    return AddRaw(std::to_string(value));
}

}  // namespace e2edriver
