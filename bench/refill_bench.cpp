// RefillReplyList in the real list view beside the store's own load of the
// same content table (its floor), for 1,000 and 10,000 replies; between them
// "records", the refill's own reading of the table into rows, and "list", the
// list view's share: rows already read handed over and painted. Under Wine it
// measures both; natively, where there is no list, the load only.
// bench/refill_run.sh runs both builds and prints the ratios.
//   refill_bench [REPEATS]   prints "<job> <replies> <median us> <min us>" lines
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "refill_target.h"
#include "replies/content_table.h"
#include "replies/reply_library.h"
#include "reply_texts.h"
#include "store/file_port.h"
#include "store/record_store.h"

namespace tovanel::bench {
namespace {

namespace fs = std::filesystem;
namespace st = tovanel::store;

constexpr int kAttachmentFiles = 5;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "refill bench: %s failed\n", what);
        std::exit(1);
    }
}

// A fresh folder with the content table as shipped and a few attachment files;
// it becomes the working directory, as the program's folder is for Velquin.exe.
fs::path MakeProgramFolder(st::FileSystem& files, int count) {
    const fs::path folder =
        fs::temp_directory_path() /
        ("tovanel-refill-" + std::to_string(count) + "-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder / "fi");
    fs::current_path(folder);
    for (int i = 0; i < kAttachmentFiles; ++i) {
        std::ofstream(folder / "fi" / ("attachment" + std::to_string(i) + ".jpg")) << "x";
    }
    const std::vector<st::FieldInfo> fields = {{replies::kHotkeyField, st::kFixedText, 0, 8},
                                               {replies::kContentField, st::kLongText, 0, 0}};
    Check(st::CreateTable(files, std::string(replies::kContentTableName) + ".RTB",
                          replies::kContentTablePassword, fields) == 0,
          "create table");
    st::RecordStore store(files);
    Check(store.OpenTable(replies::kContentTableName, replies::kContentTablePassword), "open");
    for (const Reply& reply : MakeReplies(count)) {
        Check(store.AddRecord({st::Value(reply.hotkey), st::Value(reply.content)}), "add");
    }
    store.CloseTable();
    return folder;
}

// The floor: the store's operations of a refill, the texts read and dropped.
size_t LoadThroughStore(st::RecordStore& store) {
    Check(store.OpenTable(replies::kContentTableName, replies::kContentTablePassword), "open");
    store.GoToFirstRecord();
    const int32_t count = store.GetRecordCount();
    size_t bytes = 0;
    for (int32_t i = 0; i < count; ++i) {
        bytes += std::get<std::string>(store.ReadField(replies::kHotkeyField)).size();
        bytes += std::get<std::string>(store.ReadField(replies::kContentField)).size();
        store.SkipRecords(1);
    }
    store.CloseTable();
    return bytes;
}

template <typename Job>
double Microseconds(Job job) {
    const auto start = std::chrono::steady_clock::now();
    job();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

void Report(const char* job, int count, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%s %d %.1f %.1f\n", job, count, times[times.size() / 2], times.front());
    std::fflush(stdout);
}

void Measure(st::FileSystem& files, st::RecordStore& store, RefillTarget* refill, int count,
             int repeats) {
    const fs::path folder = MakeProgramFolder(files, count);
    const int rows = count + kAttachmentFiles;
    std::vector<double> loads;
    std::vector<double> records;
    std::vector<double> refills;
    std::vector<double> shows;
    std::vector<replies::ReplyRow> rows_read;
    Check(replies::ReadReplyRecords(store, &rows_read), "reading the records");
    // One of each first to warm the file cache; then turn about, so that
    // drift on a busy machine falls on both alike.
    LoadThroughStore(store);
    if (refill) Check(refill->Refill() == rows, "the refill's row count");
    for (int i = 0; i < repeats; ++i) {
        loads.push_back(Microseconds([&] { LoadThroughStore(store); }));
        records.push_back(Microseconds([&] {
            std::vector<replies::ReplyRow> rows;
            Check(replies::ReadReplyRecords(store, &rows), "reading the records");
        }));
        if (!refill) continue;
        refills.push_back(Microseconds([&] { refill->Refill(); }));
        shows.push_back(Microseconds([&] { refill->Show(rows_read); }));
    }
    Report("load", count, loads);
    Report("records", count, records);
    if (refill) {
        Report("refill", count, refills);
        Report("list", count, shows);
    }
    fs::current_path(fs::temp_directory_path());
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace
}  // namespace tovanel::bench

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    namespace bench = tovanel::bench;
    const std::unique_ptr<tovanel::store::FileSystem> files = tovanel::store::MakeOsFileSystem();
    tovanel::store::RecordStore store(*files);
    // One panel for the whole run (closing it ends the process); its "fi"
    // is the one in the working directory of the moment.
    const std::unique_ptr<bench::RefillTarget> refill = bench::MakeRefillTarget(store, "fi");
    for (int count : {1000, 10000}) bench::Measure(*files, store, refill.get(), count, repeats);
    return 0;
}
