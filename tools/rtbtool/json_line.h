// One JSON object per line, built field by field in insertion order.
#pragma once

#include <cstdint>
#include <string>

namespace tovanel::rtbtool {

class JsonLine {
  public:
    void AddNumber(const std::string& key, int64_t value);
    void AddBool(const std::string& key, bool value);
    void AddString(const std::string& key, const std::string& utf8);
    void AddNull(const std::string& key);
    // The object and a newline.
    std::string Finish() const { return "{" + body_ + "}\n"; }

  private:
    void AddRaw(const std::string& key, const std::string& json_value);
    std::string body_;
};

}  // namespace tovanel::rtbtool
