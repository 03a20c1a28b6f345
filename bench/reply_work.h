// The same four jobs on the reply table done three ways: by the record
// store, by SQLite, and by the floor (plain reads and writes of the same
// bytes, deciphered and enciphered, with nothing else around them). Each job
// opens its files and closes them again, as the program's handlers do.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "reply_data.h"

namespace tovanel::bench {

// Load returns the bytes read, to keep the work from being optimised away.
namespace store_work {
size_t Load(const std::string& base);
void Add(const std::string& base, const Reply& reply);
void DeleteWithPurge(const std::string& base, const std::string& content);
void ClearAndAdd(const std::string& base, const std::vector<Reply>& replies);
}  // namespace store_work

namespace sqlite_work {
size_t Load(const std::string& path);
void Add(const std::string& path, const Reply& reply);
void DeleteWithPurge(const std::string& path, const std::string& content);
void ClearAndAdd(const std::string& path, const std::vector<Reply>& replies);
}  // namespace sqlite_work

namespace floor_work {
size_t Load(const std::string& base);
void Add(const std::string& base, const Reply& reply);
void DeleteWithPurge(const std::string& base, const std::string& content);
void ClearAndAdd(const std::string& base, const std::vector<Reply>& replies);
}  // namespace floor_work

}  // namespace tovanel::bench
