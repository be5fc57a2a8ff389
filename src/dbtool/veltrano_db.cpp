// veltrano-db: the tables of the program on a PostgreSQL server, for a restaurant whose counters
// share one database.
//
//     veltrano-db init [--config <file>]            the tables on an empty server database
//     veltrano-db copy <cysj.db> [--config <file>]  the tables and everything in cysj.db
//
// The server is the one the configuration file names: the file given, else veltrano.conf beside
// this program, else /etc/veltrano/veltrano.conf.

#include "dbtool/postgres_schema.h"
#include "dbtool/server_copy.h"
#include "store/database_setting.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

int usage() {
    std::cerr << "用法：veltrano-db init [--config 配置文件]\n"
                 "      veltrano-db copy <cysj.db> [--config 配置文件]\n";
    return 2;
}

std::filesystem::path programFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::absolute(argv0, error).parent_path();
}

std::optional<store::DatabaseSetting> serverSetting(const std::optional<std::string>& given,
                                                    const char* argv0) {
    std::vector<std::filesystem::path> files;
    if (given)
        files.push_back(*given);
    else
        files = store::settingFiles(programFolder(argv0));
    for (const auto& file : files) {
        if (!std::filesystem::exists(file)) {
            if (given) std::cerr << "找不到配置文件：" << file.string() << '\n';
            continue;
        }
        const store::ReadSetting read = store::readDatabaseSetting(file);
        if (!read.setting) {
            std::cerr << "配置文件 " << file.string() << " 有误：" << read.failure << '\n';
            return std::nullopt;
        }
        if (read.setting->engine != store::Engine::Postgres) {
            std::cerr << "配置文件 " << file.string() << " 没有指定 PostgreSQL 服务器\n";
            return std::nullopt;
        }
        return read.setting;
    }
    std::cerr << "没有配置文件：请在 veltrano.conf 的 [database] 中写明 PostgreSQL 服务器\n";
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::optional<std::string> config;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--config") continue;
        if (i + 1 >= arguments.size()) return usage();
        config = arguments[i + 1];
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                        arguments.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        break;
    }
    const bool init = arguments.size() == 1 && arguments[0] == "init";
    const bool copy = arguments.size() == 2 && arguments[0] == "copy";
    if (!init && !copy) return usage();

    const auto setting = serverSetting(config, argv[0]);
    if (!setting) return 1;
    store::PgConnection server(setting->connectionString());
    if (!server.connected()) {
        std::cerr << "无法连接 " << setting->describe() << "：" << server.failure() << '\n';
        return 1;
    }
    const dbtool::ServerOutcome outcome =
        init ? dbtool::initServer(server, dbtool::postgresSchema())
             : dbtool::copyToServer(arguments[1], server, dbtool::postgresSchema());
    if (!outcome.done) {
        std::cerr << outcome.failure << '\n';
        return 1;
    }
    if (init) {
        std::cout << "已在 " << setting->describe() << " 上建好表。\n";
        return 0;
    }
    for (const dbtool::TableCount& table : outcome.copied)
        std::cout << table.table << "：" << table.rows << " 行\n";
    std::cout << "已复制到 " << setting->describe() << "，各表行数与各单金额均已核对。\n";
    return 0;
}
