// Counters in processes of their own racing for the same tables and orders on one server.

#include "postgres/test_server.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Starts every command at once, then gives each one's output once it ended.
std::vector<std::string> runTogether(const std::vector<std::string>& commands) {
    std::vector<std::FILE*> running;
    for (const std::string& command : commands)
        running.push_back(::popen(command.c_str(), "r"));
    std::vector<std::string> outputs;
    for (std::FILE* process : running) {
        std::string output;
        if (process) {
            char buffer[4096];
            while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, process))
                output.append(buffer, read);
            EXPECT_EQ(::pclose(process), 0) << output;
        } else {
            ADD_FAILURE() << "could not start a counter";
        }
        outputs.push_back(output);
    }
    return outputs;
}

std::string worker(const testing_support::ServerDatabase& server, const std::string& work) {
    return std::string(VELTRANO_RACE_WORKER) + " " + work.substr(0, work.find(' ')) + " " +
           VELTRANO_TEST_POSTGRES_FOLDER + " " + server.name() + work.substr(work.find(' '));
}

TEST(CountersRace, TwoCountersOpeningTheSameTablesAHundredTimesGetOneOrderEach) {
    testing_support::ServerDatabase server;
    server.sql("INSERT INTO 餐台 (餐台) SELECT 'T' || lpad(i::text, 3, '0') FROM "
               "generate_series(0, 99) AS i");
    const auto outputs = runTogether({worker(server, "open 100"), worker(server, "open 100")});
    int opened = 0;
    int refused = 0;
    for (const std::string& output : outputs) {
        int mine = 0;
        int theirs = 0;
        ASSERT_EQ(std::sscanf(output.c_str(), "opened %d refused %d", &mine, &theirs), 2) << output;
        opened += mine;
        refused += theirs;
    }
    EXPECT_EQ(opened, 100);
    EXPECT_EQ(refused, 100);
    EXPECT_EQ(server.sql("SELECT COUNT(*) FROM 流水"), "100");
    EXPECT_EQ(server.sql("SELECT COUNT(DISTINCT 台号) FROM 流水 WHERE 状态 = 0"), "100");
    EXPECT_EQ(server.sql("SELECT COUNT(DISTINCT 单号) FROM 流水"), "100");
}

TEST(CountersRace, FourCountersChangingTheSameOrdersLoseNoChangeAndKeepEveryTotal) {
    testing_support::ServerDatabase server;
    server.sql("INSERT INTO 流水 (单号, 时间, 台号, 人数, 金额, 状态, 操作) VALUES "
               "('20230101100001', 't', '大厅01', 2, 0, 0, '管理员'), "
               "('20230101100002', 't', '大厅02', 2, 0, 0, '管理员'), "
               "('20230101100003', 't', '大厅03', 2, 0, 0, '管理员')");
    std::vector<std::string> commands;
    for (int seed = 1; seed <= 4; ++seed)
        commands.push_back(worker(server, "lines 500 " + std::to_string(seed)));
    const auto outputs = runTogether(commands);

    std::map<std::string, int> net; // "大厅01 米饭" → quantity
    for (const std::string& output : outputs) {
        std::istringstream lines(output);
        std::string table;
        std::string dish;
        int quantity = 0;
        while (lines >> table >> dish >> quantity)
            net[table + " " + dish] += quantity;
    }
    ASSERT_FALSE(net.empty());
    for (const auto& [line, quantity] : net) {
        const std::string table = line.substr(0, line.find(' '));
        const std::string dish = line.substr(line.find(' ') + 1);
        EXPECT_EQ(server.sql("SELECT COALESCE(SUM(l.数量), 0) FROM 明细 l JOIN 流水 o ON o.单号 = "
                             "l.单号 WHERE o.台号 = '" +
                             table + "' AND l.菜品 = '" + dish + "'"),
                  std::to_string(quantity))
            << line << ": every change a counter saw succeed is stored, and nothing else";
    }
    EXPECT_EQ(server.sql("SELECT COUNT(*) FROM (SELECT 单号, 菜品 FROM 明细 GROUP BY 单号, 菜品 "
                         "HAVING COUNT(*) > 1) AS twice"),
              "0");
    EXPECT_EQ(
        server.sql("SELECT COUNT(*) FROM 流水 o WHERE o.金额 <> (SELECT COALESCE(SUM(金额), 0) "
                   "FROM 明细 l WHERE l.单号 = o.单号)"),
        "0");
    EXPECT_EQ(server.sql("SELECT COUNT(*) FROM 明细 WHERE 金额 <> 单价 * 数量"), "0");
}

} // namespace
