// A small writer for the driver's one-line JSON answers.
#pragma once

#include <cstdint>
#include <string>

namespace e2edriver {

// Builds one JSON object; nested objects and arrays are added as raw JSON
// made by another writer or by JsonArray.
class JsonObject {
  public:
    JsonObject& Add(const std::string& key, const std::string& utf8);
    JsonObject& Add(const std::string& key, const char* utf8) {
        return Add(key, std::string(utf8));
    }
    JsonObject& Add(const std::string& key, int64_t value);
    JsonObject& Add(const std::string& key, int value) { return Add(key, int64_t{value}); }
    JsonObject& Add(const std::string& key, unsigned long value) {
        return Add(key, int64_t(value));
    }
    JsonObject& Add(const std::string& key, bool value);
    JsonObject& AddRaw(const std::string& key, const std::string& json);
    std::string Str() const { return "{" + body_ + "}"; }

  private:
    void Key(const std::string& key);
    std::string body_;
};

class JsonArray {
  public:
    JsonArray& AddRaw(const std::string& json);
    JsonArray& Add(const std::string& utf8);
    JsonArray& Add(int64_t value);
    std::string Str() const { return "[" + body_ + "]"; }

  private:
    void Comma();
    std::string body_;
};

}  // namespace e2edriver
