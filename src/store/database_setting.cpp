#include "store/database_setting.h"

#include "store/sqlite_db.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <string_view>

namespace store {
namespace {

std::string trimmed(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// 'value' with \ and ' escaped, as libpq reads a connection string.
std::string quoted(const std::string& value) {
    std::string text = "'";
    for (const char c : value) {
        if (c == '\\' || c == '\'') text += '\\';
        text += c;
    }
    return text + "'";
}

} // namespace

std::string DatabaseSetting::connectionString() const {
    std::string text =
        "host=" + quoted(host) + " port=" + std::to_string(port) + " dbname=" + quoted(database);
    if (!user.empty()) text += " user=" + quoted(user);
    if (!password.empty()) text += " password=" + quoted(password);
    // A server that does not answer is told within seconds, not after the system's minutes.
    return text + " connect_timeout=5";
}

std::string DatabaseSetting::describe() const {
    if (engine == Engine::Sqlite) return "SQLite cysj.db";
    return "PostgreSQL " + database + "@" + host + ":" + std::to_string(port);
}

ReadSetting readDatabaseSetting(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) return {DatabaseSetting{}, {}};
    DatabaseSetting setting;
    bool inDatabase = false;
    std::string line;
    int number = 0;
    const auto fault = [&](const std::string& what) {
        return ReadSetting{std::nullopt, "第" + std::to_string(number) + "行：" + what};
    };
    while (std::getline(in, line)) {
        ++number;
        const std::string text = trimmed(line);
        if (text.empty() || text.front() == ';' || text.front() == '#') continue;
        if (text.front() == '[') {
            if (text.back() != ']') return fault("节名缺少“]”");
            inDatabase =
                lowered(trimmed(std::string_view(text).substr(1, text.size() - 2))) == "database";
            continue;
        }
        const auto equals = text.find('=');
        if (equals == std::string::npos) return fault("缺少“=”");
        if (!inDatabase) continue;
        const std::string name = lowered(trimmed(std::string_view(text).substr(0, equals)));
        const std::string value = trimmed(std::string_view(text).substr(equals + 1));
        if (name == "engine") {
            const std::string engine = lowered(value);
            if (engine == "postgresql" || engine == "postgres")
                setting.engine = Engine::Postgres;
            else if (engine == "sqlite")
                setting.engine = Engine::Sqlite;
            else
                return fault("engine 只能是 sqlite 或 postgresql");
        } else if (name == "host") {
            setting.host = value;
        } else if (name == "port") {
            int port = 0;
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), port);
            if (error != std::errc() || end != value.data() + value.size() || port < 1 ||
                port > 65535)
                return fault("port 应为 1 到 65535 的数字");
            setting.port = port;
        } else if (name == "database") {
            setting.database = value;
        } else if (name == "user") {
            setting.user = value;
        } else if (name == "password") {
            setting.password = value;
        } else {
            return fault("不认识的设置“" + name + "”");
        }
    }
    if (setting.engine == Engine::Postgres && setting.host.empty())
        return {std::nullopt, "使用 PostgreSQL 时必须设置 host"};
    return {setting, {}};
}

std::vector<std::filesystem::path> settingFiles(const std::filesystem::path& programFolder) {
    return {programFolder / "veltrano.conf", "/etc/veltrano/veltrano.conf"};
}

bool openData(SqliteDB& into, const DatabaseSetting& setting, const std::string& file) {
    return setting.engine == Engine::Postgres ? into.OpenServer(setting.connectionString())
                                              : into.Open(file);
}

} // namespace store
