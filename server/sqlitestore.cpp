// The SQLite engine of the score store: one database file, the default for one machine.
#include "scores.h"

#include <sqlite3.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace scores {

namespace {

class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return m_statement != nullptr; }
    sqlite3_stmt* get() const { return m_statement; }
    // Ready for the next use with new values.
    void reset() {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }

private:
    sqlite3_stmt* m_statement = nullptr;
};

std::string columnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Copies the log into the database file on a connection and a thread of its own, so that the
// writer's commits never wait for it (a checkpoint in a commit holds every waiting post up).
class Checkpointer {
public:
    explicit Checkpointer(const std::string& path) {
        if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK)
            return;
        sqlite3_busy_timeout(m_db, 1000);
        m_thread = std::thread([this] { run(); });
    }
    ~Checkpointer() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
        sqlite3_close(m_db);
    }

private:
    void run() {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(500), [&] { return m_stop; }))
            sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    }

    sqlite3* m_db = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

class SqliteStore : public Store {
public:
    ~SqliteStore() override {
        m_checkpointer.reset();
        sqlite3_close(m_db);
    }

    void checkpointApart(const std::string& path) {
        if (exec("PRAGMA wal_autocheckpoint=0"))
            m_checkpointer = std::make_unique<Checkpointer>(path);
    }

    bool open(const std::string& path) {
        if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK)
            return false;
        // Another process on the same file (the CGI program) queues on the write lock instead of
        // failing at once.
        sqlite3_busy_timeout(m_db, 10000);
        // FULL: a commit is on the disk, log synced, before the post is answered, even if the
        // machine loses power right after.
        if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=FULL"))
            return false;
        // The count of posts lives in a row of its own, so that a page costs no count of the whole
        // table; a database of an earlier version gets it from its rows.
        return exec("BEGIN IMMEDIATE") &&
               exec("CREATE TABLE IF NOT EXISTS scores(id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                    "date TEXT NOT NULL, score INTEGER NOT NULL, posted INTEGER NOT NULL, "
                    "address TEXT NOT NULL, verified INTEGER NOT NULL DEFAULT 0, deal INTEGER, "
                    "moves TEXT, daily TEXT);"
                    "CREATE INDEX IF NOT EXISTS best ON scores(score DESC, id);"
                    "CREATE TABLE IF NOT EXISTS recent(address TEXT NOT NULL, posted INTEGER NOT "
                    "NULL);"
                    "CREATE INDEX IF NOT EXISTS recent_by_address ON recent(address, posted);"
                    "CREATE TABLE IF NOT EXISTS counts(posts INTEGER NOT NULL);"
                    "INSERT INTO counts(posts) SELECT count(*) FROM scores "
                    "WHERE NOT EXISTS (SELECT 1 FROM counts);") &&
               addColumns() &&
               exec("CREATE INDEX IF NOT EXISTS best_of_day ON scores(daily, score DESC, id) "
                    "WHERE daily IS NOT NULL") &&
               exec("COMMIT");
    }

    bool begin() override { return exec("BEGIN IMMEDIATE"); }

    bool recentPosts(const std::vector<std::string>& addresses, std::int64_t forgetUpTo,
                     std::vector<int>& counts) override {
        Statement forget(m_db, "DELETE FROM recent WHERE posted <= ?");
        Statement count(m_db, "SELECT count(*) FROM recent WHERE address = ?");
        if (!forget || !count)
            return false;
        sqlite3_bind_int64(forget.get(), 1, forgetUpTo);
        if (sqlite3_step(forget.get()) != SQLITE_DONE)
            return false;
        counts.clear();
        for (const std::string& address : addresses) {
            count.reset();
            sqlite3_bind_text(count.get(), 1, address.data(), int(address.size()), SQLITE_STATIC);
            if (sqlite3_step(count.get()) != SQLITE_ROW)
                return false;
            counts.push_back(sqlite3_column_int(count.get(), 0));
        }
        return true;
    }

    bool insert(const std::vector<Record>& records, bool remember) override {
        Statement row(m_db, "INSERT INTO scores(name, date, score, posted, address, verified, "
                            "deal, moves, daily) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)");
        Statement recent(m_db, "INSERT INTO recent(address, posted) VALUES(?, ?)");
        Statement counted(m_db, "UPDATE counts SET posts = posts + ?");
        if (!row || !recent || !counted)
            return false;
        for (const Record& record : records) {
            row.reset();
            bindText(row, 1, record.post.name);
            bindText(row, 2, record.post.date);
            sqlite3_bind_int64(row.get(), 3, record.post.score);
            sqlite3_bind_int64(row.get(), 4, record.posted);
            bindText(row, 5, record.address);
            sqlite3_bind_int(row.get(), 6, record.post.verified ? 1 : 0);
            if (record.post.hasMoves) {
                sqlite3_bind_int64(row.get(), 7, record.post.deal);
                bindText(row, 8, record.post.moves);
            }
            if (!record.post.daily.empty())
                bindText(row, 9, record.post.daily);
            if (sqlite3_step(row.get()) != SQLITE_DONE)
                return false;
            if (!remember)
                continue;
            recent.reset();
            bindText(recent, 1, record.address);
            sqlite3_bind_int64(recent.get(), 2, record.posted);
            if (sqlite3_step(recent.get()) != SQLITE_DONE)
                return false;
        }
        sqlite3_bind_int64(counted.get(), 1, std::int64_t(records.size()));
        return sqlite3_step(counted.get()) == SQLITE_DONE;
    }

    bool commit() override { return exec("COMMIT"); }

    void rollback() override {
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }

    bool readList(const std::string& daily, List& list) override {
        Statement best(m_db, daily.empty()
                                 ? "SELECT name, date, score, verified FROM scores ORDER BY score "
                                   "DESC, id LIMIT ?1"
                                 : "SELECT name, date, score, verified FROM scores WHERE daily = "
                                   "?2 AND verified ORDER BY score DESC, id LIMIT ?1");
        if (!best)
            return false;
        sqlite3_bind_int(best.get(), 1, kPlaces);
        if (!daily.empty())
            bindText(best, 2, daily);
        list.entries.clear();
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(best.get())) == SQLITE_ROW) {
            list.entries.push_back({columnText(best.get(), 0), columnText(best.get(), 1),
                                    sqlite3_column_int64(best.get(), 2),
                                    sqlite3_column_int(best.get(), 3) != 0});
        }
        if (step != SQLITE_DONE)
            return false;
        if (daily.empty())
            return postCount(list.total);
        Statement count(m_db, "SELECT count(*) FROM scores WHERE daily = ? AND verified");
        if (!count)
            return false;
        bindText(count, 1, daily);
        if (sqlite3_step(count.get()) != SQLITE_ROW)
            return false;
        list.total = sqlite3_column_int64(count.get(), 0);
        return true;
    }

    bool postCount(std::int64_t& total) override {
        Statement count(m_db, "SELECT posts FROM counts");
        if (!count || sqlite3_step(count.get()) != SQLITE_ROW)
            return false;
        total = sqlite3_column_int64(count.get(), 0);
        return true;
    }

    std::string error() const override { return m_db ? sqlite3_errmsg(m_db) : "no database"; }

private:
    // Columns added to the scores table after its first version; an older database gets them in
    // place, its rows then count as unverified and not daily.
    bool addColumns() {
        static constexpr const char* kAdded[][2] = {
            {"verified", "INTEGER NOT NULL DEFAULT 0"},
            {"deal", "INTEGER"},
            {"moves", "TEXT"},
            {"daily", "TEXT"},
        };
        for (const auto& column : kAdded) {
            Statement has(m_db, "SELECT 1 FROM pragma_table_info('scores') WHERE name = ?");
            if (!has)
                return false;
            sqlite3_bind_text(has.get(), 1, column[0], -1, SQLITE_STATIC);
            if (sqlite3_step(has.get()) == SQLITE_ROW)
                continue;
            const std::string alter =
                std::string("ALTER TABLE scores ADD COLUMN ") + column[0] + " " + column[1];
            if (!exec(alter.c_str()))
                return false;
        }
        return true;
    }

    bool exec(const char* sql) {
        return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    static void bindText(Statement& statement, int at, const std::string& text) {
        sqlite3_bind_text(statement.get(), at, text.data(), int(text.size()), SQLITE_STATIC);
    }

    sqlite3* m_db = nullptr;
    std::unique_ptr<Checkpointer> m_checkpointer;
};

} // namespace

std::unique_ptr<Store> openSqlite(const std::string& path, std::string& error, bool resident) {
    auto store = std::make_unique<SqliteStore>();
    if (!store->open(path)) {
        error = store->error();
        return nullptr;
    }
    if (resident)
        store->checkpointApart(path);
    return store;
}

} // namespace scores
