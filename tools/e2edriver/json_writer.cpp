#include "json_writer.h"

#include <cstdio>

namespace e2edriver {

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
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
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

void JsonObject::Key(const std::string& key) {
    if (!body_.empty()) body_ += ",";
    body_ += JsonString(key) + ":";
}

JsonObject& JsonObject::Add(const std::string& key, const std::string& utf8) {
    Key(key);
    body_ += JsonString(utf8);
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
    return AddRaw(JsonString(utf8));
}

JsonArray& JsonArray::Add(int64_t value) {
    return AddRaw(std::to_string(value));
}

}  // namespace e2edriver
