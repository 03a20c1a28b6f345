// JSON string literals for the tools' one-line answers.
#pragma once

#include <string>

namespace tovanel::tools {

// `utf8` as a JSON string literal, quotes included; control bytes escaped.
std::string JsonQuote(const std::string& utf8);

}  // namespace tovanel::tools
