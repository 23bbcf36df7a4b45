#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct sqlite3;

struct Ping {
    std::int64_t time = 0; // seconds since 1970 UTC
    std::string code;      // tracking code, or "usage" for the usage ping
    std::string installId;
    std::string cobrand;
    std::string skin;
    std::string address;
};

struct PingCount {
    std::string day; // YYYY-MM-DD, UTC
    std::string code;
    std::int64_t count = 0;
};

// The pings, in an SQLite database in WAL mode.
class PingStore {
public:
    PingStore() = default;
    bool open(const std::string& path, std::string& error);

    // False when it could not be stored, or when one of its texts holds a
    // control byte (NUL included), which no ping parameter may.
    bool record(const Ping& ping);
    static bool storableText(const std::string& text);
    std::vector<PingCount> countsByDay() const;
    std::vector<Ping> recent(int limit) const;

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    bool execute(const char* sql, std::string& error);

    mutable std::mutex m_mutex;
    std::unique_ptr<sqlite3, Closer> m_db;
};
