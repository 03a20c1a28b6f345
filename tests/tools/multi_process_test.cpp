// Tables shared by several processes, and processes killed mid-write.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "chain_check.h"
#include "run_program.h"
#include "shared_table.h"

extern char** environ;

namespace tovanel::testing {
namespace {

const std::string kWorker = u8"" STORE_WORKER_PATH;

pid_t StartWorker(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kWorker.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, kWorker.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    return pid;
}

int WaitExitCode(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ChainReport Chains(const std::string& base) {
    return CheckChains(base + ".RTB", base + ".RTL", kWorkerPassword);
}

TEST(SharedTable, TwoProcessesAddingAndModifyingKeepEveryCompletedAdd) {
    TempDir dir;
    const std::string base = dir.File("shared");
    CreateWorkerTable(base);
    const std::string iterations = "300";
    const pid_t first = StartWorker({"share", base, iterations, dir.File("log1")});
    const pid_t second = StartWorker({"share", base, iterations, dir.File("log2")});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(WaitExitCode(first), 0);
    EXPECT_EQ(WaitExitCode(second), 0);

    std::set<std::string> completed, failed;
    for (const char* log : {"log1", "log2"}) {
        const WorkerLog entries = ReadWorkerLog(dir.File(log));
        completed.insert(entries.completed.begin(), entries.completed.end());
        failed.insert(entries.failed.begin(), entries.failed.end());
    }
    EXPECT_EQ(completed.size() + failed.size(), 600u);
    EXPECT_GT(completed.size(), 300u) << "hardly any add got through";

    const TableContents table = ReadWorkerTable(base);
    ASSERT_TRUE(table.opened) << "open failed with " << table.open_error;
    EXPECT_EQ(table.read_errors, 0);
    EXPECT_EQ(table.damaged_contents, 0);
    EXPECT_EQ(table.damaged_notes, 0);
    for (const std::string& id : completed) {
        const auto it = table.ids.find(id);
        EXPECT_TRUE(it != table.ids.end() && it->second == 1)
            << id << " found " << (it == table.ids.end() ? 0 : it->second) << " times";
    }
    int leftovers_of_failed_adds = table.empty_contents;
    for (const auto& [id, count] : table.ids) {
        if (completed.count(id) != 0) continue;
        EXPECT_EQ(failed.count(id), 1u) << "unexpected record " << id;
        leftovers_of_failed_adds += count;
    }
    EXPECT_LE(leftovers_of_failed_adds, static_cast<int>(failed.size()));

    const ChainReport chains = Chains(base);
    ASSERT_TRUE(chains.readable);
    EXPECT_EQ(chains.shared, 0) << chains.Describe();
    EXPECT_EQ(chains.bad_links, 0) << chains.Describe();
    std::printf("adds completed %zu, failed %zu (left records: %d); %s\n", completed.size(),
                failed.size(), leftovers_of_failed_adds, chains.Describe().c_str());
}

TEST(KilledWriter, NeverLeavesATableThatFailsToOpenOrLosesACompletedAdd) {
    TempDir dir;
    const std::string base = dir.File("killed");
    CreateWorkerTable(base);
    const std::string log = dir.File("log");
    std::mt19937 rng(20240513);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    int rounds = 0, duplicates = 0, repeated = 0, damaged_chains = 0;
    for (; rounds < 80 && std::chrono::steady_clock::now() < deadline; ++rounds) {
        const pid_t worker = StartWorker({"churn", base, std::to_string(rounds), log});
        ASSERT_GT(worker, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + rng() % 60000));
        kill(worker, SIGKILL);
        ASSERT_EQ(WaitExitCode(worker), -1) << "the worker stopped on its own";

        // Opened twice: the first open may repair the files, the second
        // must accept the repair.
        const TableContents table = ReadWorkerTable(base);
        ASSERT_TRUE(table.opened) << "round " << rounds << ": open failed with "
                                  << table.open_error;
        const TableContents again = ReadWorkerTable(base);
        ASSERT_TRUE(again.opened) << "round " << rounds << ": second open failed with "
                                  << again.open_error;
        EXPECT_EQ(table.read_errors, 0) << "round " << rounds;
        EXPECT_EQ(table.damaged_contents, 0) << "round " << rounds;
        repeated = std::max(repeated, table.repeated_numbers);
        for (const std::string& id : ReadWorkerLog(log).completed) {
            const auto it = table.ids.find(id);
            ASSERT_TRUE(it != table.ids.end()) << "round " << rounds << ": lost " << id;
            if (it->second > 1) ++duplicates;
        }
        const ChainReport chains = Chains(base);
        if (chains.shared != 0 || chains.bad_links != 0) {
            ++damaged_chains;
            std::printf("round %d: %s\n", rounds, chains.Describe().c_str());
        }
    }
    const WorkerLog final_log = ReadWorkerLog(log);
    const TableContents table = ReadWorkerTable(base);
    // Duplicates come from a kill inside the purge's compaction; shared
    // blocks would make a later write of one value damage another.
    std::printf(
        "%d kills, %zu completed adds, %d records, %d duplicated adds, at most %d "
        "repeated record numbers, %d rounds with shared or broken chains; %s\n",
        rounds, final_log.completed.size(), table.records, duplicates, repeated, damaged_chains,
        Chains(base).Describe().c_str());
    EXPECT_GE(rounds, 40);
    EXPECT_GT(final_log.completed.size(), 0u);
}

}  // namespace
}  // namespace tovanel::testing
