// A process that works on one shared table, for the multi-process tests.
//   store_worker share TABLE ITERATIONS LOG   adds, modifies, closes N times
//   store_worker churn TABLE ROUND LOG        adds, modifies, deletes and
//                                             purges until it is killed
// Table fields: 快捷键 (fixed text), 内容 (long text, the self-checking text
// of the add), 备注 (long text, rewritten by modifications).
// Log lines: "A <id>" for an add that returned true, "F <id> <code>" for one
// that did not; churn logs only completed adds and syncs each line.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "store/error_codes.h"
#include "store/record_store.h"
#include "worker_texts.h"

namespace {

namespace st = tovanel::store;
using tovanel::testing::ParseSelfCheckingText;
using tovanel::testing::SelfCheckingText;

const char kPassword[] = "240513";

class Log {
  public:
    explicit Log(const std::string& path)
        : fd_(open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644)) {}
    ~Log() {
        if (fd_ >= 0) close(fd_);
    }
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;
    bool ok() const { return fd_ >= 0; }
    void Line(const std::string& line, bool sync) {
        const std::string text = line + "\n";
        if (write(fd_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::exit(4);
        if (sync) fsync(fd_);
    }

  private:
    int fd_;
};

// Opens, waiting out the other process's locks; any other failure ends the worker.
void OpenWaiting(st::RecordStore& store, const std::string& table, std::mt19937& rng) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!store.OpenTable(table, kPassword)) {
        const int code = st::LastError();
        if ((code != st::err::kSharingViolation && code != st::err::kLockViolation) ||
            std::chrono::steady_clock::now() > give_up) {
            std::fprintf(stderr, "store_worker: open failed with %d\n", code);
            std::exit(3);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + rng() % 2500));
    }
}

std::string Text(const char* kind, int round, int i, std::mt19937& rng) {
    const std::string id =
        kind + std::to_string(getpid()) + "-" + std::to_string(round) + "-" + std::to_string(i);
    return SelfCheckingText(id, 10 + rng() % 1200);
}

// Rewrites 快捷键 and 备注 of a random record.
void ModifySome(st::RecordStore& store, int round, int i, std::mt19937& rng) {
    store.GoToFirstRecord();
    const int32_t count = store.GetRecordCount();
    if (count <= 0 || !store.SkipRecords(static_cast<int32_t>(rng() % count))) return;
    const std::string key = "F" + std::to_string(1 + rng() % 12);
    store.ModifyRecord({st::Value(key), std::nullopt, st::Value(Text("m", round, i, rng))});
}

// Deletes the last transient record ("t…"), searching backwards, then purges.
void DeleteTransient(st::RecordStore& store) {
    store.GoToFirstRecord();
    const int32_t count = store.GetRecordCount();
    if (count <= 0 || !store.SkipRecords(count - 1)) return;
    for (int32_t k = count - 1; k >= 0 && k >= count - 50; --k) {
        const st::Value value = store.ReadField("内容");
        std::string id;
        if (ParseSelfCheckingText(std::get<std::string>(value), &id) && id[0] == 't') {
            if (store.DeleteRecord()) store.PurgeDeleted();
            return;
        }
        if (!store.SkipRecords(-1)) return;
    }
}

int Share(const std::string& table, int iterations, Log& log) {
    auto fs = st::MakeOsFileSystem();
    std::mt19937 rng(static_cast<unsigned>(getpid()));
    for (int i = 0; i < iterations; ++i) {
        st::RecordStore store(*fs);
        OpenWaiting(store, table, rng);
        const std::string text = Text("p", 0, i, rng);
        std::string id;
        ParseSelfCheckingText(text, &id);
        if (store.AddRecord({std::nullopt, st::Value(text), std::nullopt})) {
            log.Line("A " + id, false);
        } else {
            log.Line("F " + id + " " + std::to_string(st::LastError()), false);
        }
        ModifySome(store, 0, i, rng);
        store.CloseTable();
    }
    return 0;
}

int Churn(const std::string& table, int round, Log& log) {
    auto fs = st::MakeOsFileSystem();
    std::mt19937 rng(static_cast<unsigned>(getpid()) * 7919u + round);
    for (int i = 0;; ++i) {
        st::RecordStore store(*fs);
        OpenWaiting(store, table, rng);
        const unsigned pick = rng() % 10;
        if (pick < 5) {
            const std::string text = Text("k", round, i, rng);
            if (store.AddRecord({std::nullopt, st::Value(text), std::nullopt})) {
                std::string id;
                ParseSelfCheckingText(text, &id);
                log.Line("A " + id, true);
            }
        } else if (pick < 7) {
            store.AddRecord({st::Value(std::string("F1")), st::Value(Text("t", round, i, rng)),
                             st::Value(Text("m", round, i, rng))});
        } else if (pick < 8) {
            ModifySome(store, round, i, rng);
        } else {
            DeleteTransient(store);
        }
        store.CloseTable();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: store_worker share|churn TABLE N LOG\n");
        return 2;
    }
    const std::string mode = argv[1];
    Log log(argv[4]);
    if (!log.ok()) return 2;
    const int n = std::atoi(argv[3]);
    if (mode == "share") return Share(argv[2], n, log);
    if (mode == "churn") return Churn(argv[2], n, log);
    return 2;
}
