// The reply table's four jobs (load the list, add one, delete one with purge,
// clear and import) by the store, by SQLite and by the floor, for 1,000 and
// 10,000 replies. bench/run.sh prints the ratios.
#include <benchmark/benchmark.h>

#include "reply_data.h"
#include "reply_work.h"

namespace tovanel::bench {
namespace {

// Each benchmark works on its own copy; `Fresh` makes one per implementation.
struct Impl {
    std::string (*fresh)(int count, const std::string& name);
    size_t (*load)(const std::string&);
    void (*add)(const std::string&, const Reply&);
    void (*remove)(const std::string&, const std::string&);
    void (*clear_and_add)(const std::string&, const std::vector<Reply>&);
};

const Impl kStore = {FreshTableCopy, store_work::Load, store_work::Add, store_work::DeleteWithPurge,
                     store_work::ClearAndAdd};
const Impl kSqlite = {FreshDatabaseCopy, sqlite_work::Load, sqlite_work::Add,
                      sqlite_work::DeleteWithPurge, sqlite_work::ClearAndAdd};
const Impl kFloor = {FreshTableCopy, floor_work::Load, floor_work::Add, floor_work::DeleteWithPurge,
                     floor_work::ClearAndAdd};

int Count(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

void Load(benchmark::State& state, const Impl& impl) {
    const std::string path = impl.fresh(Count(state), "load");
    for (auto _ : state) benchmark::DoNotOptimize(impl.load(path));
}

void Add(benchmark::State& state, const Impl& impl) {
    const std::string path = impl.fresh(Count(state), "add");
    const Reply reply = MakeReplies(13).back();
    for (auto _ : state) impl.add(path, reply);
}

// Deletes the middle reply of a fresh copy each time.
void DeleteWithPurge(benchmark::State& state, const Impl& impl) {
    const std::string content = MakeReplies(Count(state))[Count(state) / 2].content;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = impl.fresh(Count(state), "delete");
        state.ResumeTiming();
        impl.remove(path, content);
    }
}

void ClearAndAdd(benchmark::State& state, const Impl& impl) {
    const std::vector<Reply> replies = MakeReplies(Count(state));
    const std::string path = impl.fresh(Count(state), "import");
    for (auto _ : state) impl.clear_and_add(path, replies);
}

#define TOVANEL_BENCH(job, name, impl) \
    BENCHMARK_CAPTURE(job, name, impl) \
        ->Arg(1000)                    \
        ->Arg(10000)                   \
        ->UseRealTime()                \
        ->Unit(benchmark::kMicrosecond)

TOVANEL_BENCH(Load, store, kStore);
TOVANEL_BENCH(Load, sqlite, kSqlite);
TOVANEL_BENCH(Load, floor, kFloor);
TOVANEL_BENCH(Add, store, kStore);
TOVANEL_BENCH(Add, sqlite, kSqlite);
TOVANEL_BENCH(Add, floor, kFloor);
TOVANEL_BENCH(DeleteWithPurge, store, kStore);
TOVANEL_BENCH(DeleteWithPurge, sqlite, kSqlite);
TOVANEL_BENCH(DeleteWithPurge, floor, kFloor);
TOVANEL_BENCH(ClearAndAdd, store, kStore);
TOVANEL_BENCH(ClearAndAdd, sqlite, kSqlite);
TOVANEL_BENCH(ClearAndAdd, floor, kFloor);

}  // namespace
}  // namespace tovanel::bench

BENCHMARK_MAIN();
