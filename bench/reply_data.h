// Reply tables of realistic content for the benchmarks, made once per size
// in the store's format and in SQLite, plus file helpers.
#pragma once

#include <string>
#include <vector>

#include "reply_texts.h"

namespace tovanel::bench {

extern const char kPassword[];

// The benchmark's scratch folder, removed at exit.
const std::string& BenchDir();

// Pristine copies, made on first use: "<dir>/replies_<n>" (.RTB/.RTL) and
// "<dir>/replies_<n>.db".
std::string PristineTable(int count);
std::string PristineDatabase(int count);

// Copies the pristine files of `count` replies to a working name, returns it.
std::string FreshTableCopy(int count, const std::string& name);
std::string FreshDatabaseCopy(int count, const std::string& name);

}  // namespace tovanel::bench
