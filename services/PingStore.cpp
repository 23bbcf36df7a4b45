#include "services/PingStore.h"

#include <algorithm>
#include <sqlite3.h>

namespace {

// Owner of one prepared statement.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return m_stmt; }
    void bind(int index, const std::string& text) {
        sqlite3_bind_text(m_stmt, index, text.c_str(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    std::string text(int column) const {
        const auto* value = sqlite3_column_text(m_stmt, column);
        return value != nullptr ? reinterpret_cast<const char*>(value) : "";
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace

void PingStore::Closer::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

bool PingStore::execute(const char* sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(m_db.get(), sql, nullptr, nullptr, &message) != SQLITE_OK) {
        error = message != nullptr ? message : "sqlite error";
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool PingStore::open(const std::string& path, std::string& error) {
    std::lock_guard lock(m_mutex);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(
        path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
        nullptr);
    m_db.reset(db);
    if (rc != SQLITE_OK) {
        error = "cannot open the ping database " + path + ": " + sqlite3_errmsg(db);
        m_db.reset();
        return false;
    }
    sqlite3_busy_timeout(db, 2000);
    return execute("PRAGMA journal_mode=WAL;"
                   "PRAGMA synchronous=NORMAL;"
                   "CREATE TABLE IF NOT EXISTS pings ("
                   " id INTEGER PRIMARY KEY, time INTEGER NOT NULL, code TEXT NOT NULL,"
                   " install_id TEXT, cobrand TEXT, skin TEXT, address TEXT);"
                   "CREATE INDEX IF NOT EXISTS pings_time ON pings(time);",
                   error);
}

bool PingStore::storableText(const std::string& text) {
    return std::none_of(text.begin(), text.end(),
                        [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

bool PingStore::record(const Ping& ping) {
    for (const std::string* text :
         {&ping.code, &ping.installId, &ping.cobrand, &ping.skin, &ping.address}) {
        if (!storableText(*text)) {
            return false;
        }
    }
    std::lock_guard lock(m_mutex);
    if (!m_db) {
        return false;
    }
    Statement insert(m_db.get(), "INSERT INTO pings(time, code, install_id, cobrand, skin, "
                                 "address) VALUES (?, ?, ?, ?, ?, ?)");
    if (insert.get() == nullptr) {
        return false;
    }
    sqlite3_bind_int64(insert.get(), 1, ping.time);
    insert.bind(2, ping.code);
    insert.bind(3, ping.installId);
    insert.bind(4, ping.cobrand);
    insert.bind(5, ping.skin);
    insert.bind(6, ping.address);
    return sqlite3_step(insert.get()) == SQLITE_DONE;
}

std::vector<PingCount> PingStore::countsByDay() const {
    std::lock_guard lock(m_mutex);
    std::vector<PingCount> counts;
    if (!m_db) {
        return counts;
    }
    Statement query(m_db.get(), "SELECT date(time, 'unixepoch') AS day, code, count(*) FROM pings"
                                " GROUP BY day, code ORDER BY day DESC, code");
    while (query.get() != nullptr && sqlite3_step(query.get()) == SQLITE_ROW) {
        counts.push_back({query.text(0), query.text(1), sqlite3_column_int64(query.get(), 2)});
    }
    return counts;
}

std::vector<Ping> PingStore::recent(int limit) const {
    std::lock_guard lock(m_mutex);
    std::vector<Ping> pings;
    if (!m_db) {
        return pings;
    }
    Statement query(m_db.get(), "SELECT time, code, install_id, cobrand, skin, address FROM pings"
                                " ORDER BY id DESC LIMIT ?");
    sqlite3_bind_int(query.get(), 1, limit);
    while (query.get() != nullptr && sqlite3_step(query.get()) == SQLITE_ROW) {
        pings.push_back({sqlite3_column_int64(query.get(), 0), query.text(1), query.text(2),
                         query.text(3), query.text(4), query.text(5)});
    }
    return pings;
}
