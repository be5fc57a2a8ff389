// The program killed at any moment while it changes an order's lines: every order's stored total
// must still be the sum of its stored lines, and the file must be whole.
#include "common/fresh_database.h"
#include "common/test_directory.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using testing_support::TestDirectory;

// A burst of line changes in a process of its own, started on the database in `folder`.
class Burst {
public:
    Burst(const std::filesystem::path& folder, unsigned seed) {
        int output[2];
        if (pipe(output) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        const std::string directory = folder.string();
        const std::string seedText = std::to_string(seed);
        char* argv[] = {const_cast<char*>(VELTRANO_ORDER_BURST),
                        const_cast<char*>(directory.c_str()), const_cast<char*>(seedText.c_str()),
                        nullptr};
        if (posix_spawn(&pid_, VELTRANO_ORDER_BURST, &actions, nullptr, argv, environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(output[1]);
        output_ = fdopen(output[0], "r");
    }
    ~Burst() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (output_) std::fclose(output_);
    }

    // Waits for the table to be open.
    bool ready() {
        char line[64] = {};
        return pid_ > 0 && output_ && std::fgets(line, sizeof line, output_) &&
               std::string(line) == "ready\n";
    }
    // Kills the process and tells whether it was still running when killed.
    bool killNow() {
        const bool running = waitpid(pid_, nullptr, WNOHANG) == 0;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        return running;
    }

private:
    pid_t pid_ = -1;
    std::FILE* output_ = nullptr;
};

std::string firstValue(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    std::string value = "(failed)";
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return value;
}

TEST(KilledDuringOrderChanges, EveryStoredTotalIsTheSumOfItsLines) {
    constexpr int kRuns = 30;
    std::mt19937 random(20261210);
    int runsWithLines = 0;
    for (int run = 0; run < kRuns; ++run) {
        TestDirectory folder;
        testing_support::createDeliveredDatabase(folder.path());
        {
            Burst burst(folder.path(), random());
            ASSERT_TRUE(burst.ready()) << "run " << run;
            std::this_thread::sleep_for(std::chrono::microseconds(20000 + random() % 100000));
            ASSERT_TRUE(burst.killNow()) << "the burst ended by itself in run " << run;
        }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((folder.path() / "cysj.db").string().c_str(), &db), SQLITE_OK);
        EXPECT_EQ(firstValue(db, "PRAGMA integrity_check"), "ok") << "run " << run;
        EXPECT_EQ(firstValue(db, "SELECT count(*) FROM 流水 WHERE 金额 IS NOT (SELECT "
                                 "coalesce(sum(金额), 0) FROM 明细 WHERE 明细.单号 = 流水.单号)"),
                  "0")
            << "run " << run << ": an order whose total is not the sum of its lines";
        if (firstValue(db, "SELECT count(*) FROM 明细") != "0") ++runsWithLines;
        sqlite3_close(db);
    }
    // The kills must have met orders with lines, or nothing was tried.
    EXPECT_GE(runsWithLines, kRuns / 2);
}

} // namespace
