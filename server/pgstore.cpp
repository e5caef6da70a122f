// The PostgreSQL engine of the score store, for several service processes on several machines
// sharing one database. Every transaction of a batch takes the row lock of the post count first,
// so batches from all machines are stored one after another and the rate limit counts every
// machine's posts. Each batch tells the page keepers of every machine of itself at its commit,
// and its posts are answered once the keepers have shown it (see pagekeeper.h).
#include "daily.h"
#include "pagekeeper.h"
#include "scores.h"

#include <libpq-fe.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

#include <poll.h>

namespace scores {

namespace {

struct ResultFree {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

// Batches committed, with the count of posts after each.
constexpr const char* kBatchChannel = "solmarin_pages";
// A keeper's pages show more posts: the count they show.
constexpr const char* kSeenChannel = "solmarin_seen";
// A writer stops waiting for the pages after this long: a keeper that keeps its lease but does
// not catch up, or its own machine's keeper out of reach of the database. The answer then says
// that the score was stored but may not be on the list.
constexpr std::chrono::milliseconds kLongestWait = 2 * kLease;
// Rechecked this often while waiting, should a keeper's notice be lost.
constexpr int kRecheckMs = 100;
// A machine cut off in the middle of a batch holds the row lock of the count, and every machine's
// posts wait for it, until the database gives up its transaction; a batch is a few statements
// sent one after another, so this is long.
constexpr const char* kIdleInBatch = "SET idle_in_transaction_session_timeout = '5s'";

class PostgresStore : public Store {
public:
    // `keeper`: the id of this machine's page keeper; `reconnect`: whether a lost connection is
    // made again by the next call, or only by connect().
    PostgresStore(std::string conninfo, std::string keeper, bool reconnect)
        : m_conninfo(std::move(conninfo)), m_keeper(std::move(keeper)), m_reconnect(reconnect) {}
    ~PostgresStore() override { PQfinish(m_db); }

    bool connect() {
        PQfinish(m_db);
        m_listening = false;
        m_db = PQconnectdb(m_conninfo.c_str());
        if (PQstatus(m_db) != CONNECTION_OK) {
            m_error = PQerrorMessage(m_db);
            return false;
        }
        // Several services may start together: one makes the tables, the others wait for it.
        // Each connection (a keeper's is made again after every loss) would otherwise print that
        // the tables are there already.
        return exec(kIdleInBatch) && exec("SET client_min_messages = warning") && exec("BEGIN") &&
               exec("SELECT pg_advisory_xact_lock(7041966)") &&
               exec("CREATE TABLE IF NOT EXISTS scores(id BIGSERIAL PRIMARY KEY, name TEXT NOT "
                    "NULL, date TEXT NOT NULL, score BIGINT NOT NULL, posted BIGINT NOT NULL, "
                    "address TEXT NOT NULL, verified BOOLEAN NOT NULL DEFAULT FALSE, deal BIGINT, "
                    "moves "
                    "TEXT, daily TEXT);"
                    "CREATE INDEX IF NOT EXISTS best ON scores(score DESC, id);"
                    "CREATE INDEX IF NOT EXISTS best_of_day ON scores(daily, score DESC, id) "
                    "WHERE daily IS NOT NULL AND verified;"
                    "CREATE TABLE IF NOT EXISTS recent(address TEXT NOT NULL, posted BIGINT NOT "
                    "NULL);"
                    "CREATE INDEX IF NOT EXISTS recent_by_address ON recent(address, posted);"
                    "CREATE TABLE IF NOT EXISTS counts(one BOOLEAN PRIMARY KEY DEFAULT TRUE "
                    "CHECK(one), posts BIGINT NOT NULL);"
                    "INSERT INTO counts(posts) SELECT count(*) FROM scores ON CONFLICT DO "
                    "NOTHING;"
                    "CREATE TABLE IF NOT EXISTS keepers(id TEXT PRIMARY KEY, seen BIGINT NOT NULL, "
                    "expires TIMESTAMPTZ NOT NULL);") &&
               exec("COMMIT") && (m_keeper.empty() || listening());
    }

    bool connected() const { return PQstatus(m_db) == CONNECTION_OK; }
    PGconn* db() const { return m_db; }

    bool begin() override {
        return again([&] { return exec("BEGIN; SELECT posts FROM counts FOR UPDATE"); });
    }

    bool recentPosts(const std::vector<std::string>& addresses, std::int64_t forgetUpTo,
                     std::vector<int>& counts) override {
        const std::string bound = std::to_string(forgetUpTo);
        if (!run("DELETE FROM recent WHERE posted <= $1::bigint", {bound}, PGRES_COMMAND_OK))
            return false;
        counts.clear();
        for (const std::string& address : addresses) {
            const Result result =
                run("SELECT count(*) FROM recent WHERE address = $1", {address}, PGRES_TUPLES_OK);
            if (!result)
                return false;
            counts.push_back(std::atoi(PQgetvalue(result.get(), 0, 0)));
        }
        return true;
    }

    bool insert(const std::vector<Record>& records, bool remember) override {
        if (records.empty())
            return true;
        // One statement for the whole batch: the rows travel as arrays.
        std::vector<std::optional<std::string>> names, dates, scores, posted, addresses, verified,
            deals, moves, days;
        for (const Record& record : records) {
            const Post& post = record.post;
            names.push_back(post.name);
            dates.push_back(post.date);
            scores.push_back(std::to_string(post.score));
            posted.push_back(std::to_string(record.posted));
            addresses.push_back(record.address);
            verified.push_back(post.verified ? "t" : "f");
            deals.push_back(post.hasMoves ? std::optional(std::to_string(post.deal))
                                          : std::nullopt);
            moves.push_back(post.hasMoves ? std::optional(post.moves) : std::nullopt);
            days.push_back(post.daily.empty() ? std::nullopt : std::optional(post.daily));
        }
        const std::vector<std::string> values{array(names),  array(dates),     array(scores),
                                              array(posted), array(addresses), array(verified),
                                              array(deals),  array(moves),     array(days)};
        if (!run("INSERT INTO scores(name, date, score, posted, address, verified, deal, moves, "
                 "daily) SELECT * FROM unnest($1::text[], $2::text[], $3::bigint[], $4::bigint[], "
                 "$5::text[], $6::boolean[], $7::bigint[], $8::text[], $9::text[])",
                 values, PGRES_COMMAND_OK))
            return false;
        if (remember && !run("INSERT INTO recent(address, posted) SELECT * FROM "
                             "unnest($1::text[], $2::bigint[])",
                             {values[4], values[3]}, PGRES_COMMAND_OK))
            return false;
        // The keepers hear of the batch when it commits, and not at all if it does not.
        const Result counted =
            run("WITH counted AS (UPDATE counts SET posts = posts + $1::bigint RETURNING posts) "
                "SELECT posts, pg_notify($2, posts::text) FROM counted",
                {std::to_string(records.size()), kBatchChannel}, PGRES_TUPLES_OK);
        if (!counted || PQntuples(counted.get()) != 1)
            return false;
        m_batchCount = std::atoll(PQgetvalue(counted.get(), 0, 0));
        return true;
    }

    bool commit() override {
        // A COMMIT outside a transaction only warns: make sure the batch's transaction is the one
        // being committed, on the connection it began on.
        if (PQtransactionStatus(m_db) != PQTRANS_INTRANS) {
            m_error = "the transaction was lost";
            return false;
        }
        if (!exec("COMMIT"))
            return false;
        m_committed = m_batchCount;
        return true;
    }

    void rollback() override {
        if (PQstatus(m_db) == CONNECTION_OK && PQtransactionStatus(m_db) != PQTRANS_IDLE)
            PQclear(PQexec(m_db, "ROLLBACK"));
    }

    bool readList(const std::string& daily, List& list) override {
        return again([&] { return readListOnce(daily, list); });
    }

    bool postCount(std::int64_t& total) override {
        return again([&] {
            const Result result = run("SELECT posts FROM counts", {}, PGRES_TUPLES_OK);
            if (!result || PQntuples(result.get()) != 1)
                return false;
            total = std::atoll(PQgetvalue(result.get(), 0, 0));
            return true;
        });
    }

    // Waits until no keeper whose lease holds shows fewer posts than the batch committed last,
    // and this machine's own keeper shows it. A keeper that died or was cut off keeps the wait
    // going until its lease runs out; its pages are gone by then. The keepers' notices wake the
    // wait; without one it checks again when the first lagging lease runs out, or soon.
    bool awaitPages() override {
        const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
        const std::string count = std::to_string(m_committed);
        // No keeper shows the batch before it has heard of it: the first check waits for one
        // to tell, or a short while.
        int wait = kRecheckMs;
        for (;;) {
            const bool listened = listening();
            if (wait > 0 && !(listened && takeNotices())) {
                pollfd socket{listened ? PQsocket(m_db) : -1, POLLIN, 0};
                ::poll(&socket, 1, wait);
            }
            wait = kRecheckMs;
            if (listening()) {
                takeNotices();
                const Result result = run(
                    "SELECT count(*) FILTER (WHERE seen < $1::bigint), coalesce(bool_or(id = $2 "
                    "AND seen >= $1::bigint), false), ceil(extract(epoch FROM min(expires) FILTER "
                    "(WHERE seen < $1::bigint) - clock_timestamp()) * 1000)::int FROM keepers "
                    "WHERE expires > clock_timestamp()",
                    {count, m_keeper}, PGRES_TUPLES_OK);
                if (result) {
                    const bool lagging = std::atoll(PQgetvalue(result.get(), 0, 0)) > 0;
                    const bool own = m_keeper.empty() || *PQgetvalue(result.get(), 0, 1) == 't';
                    if (!lagging && own)
                        return true;
                    if (!PQgetisnull(result.get(), 0, 2))
                        wait = std::clamp(std::atoi(PQgetvalue(result.get(), 0, 2)) + 1, 1, wait);
                    // A notice that came during the check may not be in it.
                    if (takeNotices())
                        wait = 0;
                }
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                m_error = "the list pages did not all show the posts in time (" + m_error + ")";
                return false;
            }
        }
    }

    std::string error() const override { return m_error; }

    // Runs statements without parameters (several may be given at once).
    bool exec(const char* sql) {
        const Result result(PQexec(m_db, sql));
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
            return true;
        m_error = PQerrorMessage(m_db);
        return false;
    }

    // Runs one statement with text parameters; null unless it ends in the status wanted.
    Result run(const char* sql, const std::vector<std::string>& values, ExecStatusType wanted) {
        std::vector<const char*> pointers;
        for (const std::string& value : values)
            pointers.push_back(value.c_str());
        Result result(PQexecParams(m_db, sql, int(pointers.size()), nullptr, pointers.data(),
                                   nullptr, nullptr, 0));
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != wanted) {
            m_error = PQerrorMessage(m_db);
            return nullptr;
        }
        return result;
    }

private:
    // Connected (again) and listening for the keepers' notices.
    bool listening() {
        if (!connected() && !connect())
            return false;
        if (!m_listening)
            m_listening = exec((std::string("LISTEN ") + kSeenChannel).c_str());
        return m_listening;
    }

    // Reads what has arrived and forgets the notices: the check that follows sees what they
    // said. True when there was one.
    bool takeNotices() {
        bool any = false;
        PQconsumeInput(m_db);
        while (PGnotify* notice = PQnotifies(m_db)) {
            any = true;
            PQfreemem(notice);
        }
        return any;
    }

    // Runs the first step of a transaction, or a read, again on a new connection when the old one
    // was lost (the database restarted): nothing of it had taken effect.
    template <typename Step> bool again(Step step) {
        if (!m_reconnect) {
            if (connected())
                return step();
            m_error = "not connected";
            return false;
        }
        const bool inTransaction = PQtransactionStatus(m_db) != PQTRANS_IDLE &&
                                   PQtransactionStatus(m_db) != PQTRANS_UNKNOWN;
        if (PQstatus(m_db) != CONNECTION_OK && !connect())
            return false;
        if (step())
            return true;
        if (inTransaction || PQstatus(m_db) == CONNECTION_OK || !connect())
            return false;
        return step();
    }

    bool readListOnce(const std::string& daily, List& list) {
        // One statement, so the rows and the count are of the same moment.
        const Result result =
            daily.empty()
                ? run("SELECT c.posts, s.name, s.date, s.score, s.verified FROM counts c LEFT JOIN "
                      "LATERAL (SELECT name, date, score, verified FROM scores ORDER BY score "
                      "DESC, id LIMIT $1::int) s ON TRUE",
                      {std::to_string(kPlaces)}, PGRES_TUPLES_OK)
                : run("SELECT (SELECT count(*) FROM scores WHERE daily = $2 AND verified), "
                      "s.name, s.date, s.score, s.verified FROM (SELECT 1) one LEFT JOIN LATERAL "
                      "(SELECT name, date, score, verified FROM scores WHERE daily = $2 AND "
                      "verified ORDER BY score DESC, id LIMIT $1::int) s ON TRUE",
                      {std::to_string(kPlaces), daily}, PGRES_TUPLES_OK);
        if (!result || PQntuples(result.get()) < 1)
            return false;
        list.entries.clear();
        list.total = std::atoll(PQgetvalue(result.get(), 0, 0));
        for (int row = 0; row < PQntuples(result.get()); ++row) {
            if (PQgetisnull(result.get(), row, 1))
                continue;
            list.entries.push_back({PQgetvalue(result.get(), row, 1),
                                    PQgetvalue(result.get(), row, 2),
                                    std::atoll(PQgetvalue(result.get(), row, 3)),
                                    std::string(PQgetvalue(result.get(), row, 4)) == "t"});
        }
        return true;
    }

    // An array literal of the texts, each quoted, NULL for none: {"a","b\"c",NULL}.
    static std::string array(const std::vector<std::optional<std::string>>& texts) {
        std::string out = "{";
        for (const std::optional<std::string>& text : texts) {
            if (out.size() > 1)
                out += ',';
            if (!text) {
                out += "NULL";
                continue;
            }
            out += '"';
            for (char c : *text) {
                if (c == '"' || c == '\\')
                    out += '\\';
                out += c;
            }
            out += '"';
        }
        return out + "}";
    }

    std::string m_conninfo;
    const std::string m_keeper;
    const bool m_reconnect;
    PGconn* m_db = nullptr;
    std::string m_error;
    bool m_listening = false;
    std::int64_t m_batchCount = 0; // the count of posts after the batch being stored
    std::int64_t m_committed = 0;  // after the batch committed last
};

// A day becomes a file name: only a real date written as the pages name it is taken.
bool pageDay(const std::string& text) {
    daily::Date date;
    return daily::parseDate(text, date) && daily::formatDate(date) == text;
}

class PostgresKeeperLink : public KeeperLink {
public:
    PostgresKeeperLink(const std::string& conninfo, std::string id)
        : m_store(conninfo, {}, false), m_id(std::move(id)) {}

    bool join() override {
        m_error.clear();
        return m_store.connect() &&
               m_store.exec((std::string("LISTEN ") + kBatchChannel).c_str()) &&
               m_store.run("INSERT INTO keepers(id, seen, expires) VALUES ($1, -1, "
                           "clock_timestamp() + $2::bigint * interval '1 millisecond') ON "
                           "CONFLICT (id) DO UPDATE SET expires = excluded.expires",
                           {m_id, std::to_string(kLease.count())}, PGRES_COMMAND_OK) &&
               sweep();
    }

    bool connected() const override { return m_store.connected(); }
    int socket() const override { return PQsocket(m_store.db()); }

    bool notices(std::vector<Notice>& out) override {
        m_error.clear();
        if (!PQconsumeInput(m_store.db())) {
            m_error = PQerrorMessage(m_store.db());
            return false;
        }
        while (PGnotify* notice = PQnotifies(m_store.db())) {
            if (std::string(notice->relname) == kBatchChannel) {
                const std::string count = notice->extra;
                const bool number = !count.empty() && count.size() <= 18 &&
                                    count.find_first_not_of("0123456789") == std::string::npos;
                out.push_back({number ? std::atoll(count.c_str()) : 0});
            }
            PQfreemem(notice);
        }
        return true;
    }

    // Batches are stored one after another and take their ids from the table's sequence one at
    // a time, so the ids of a later one are all above those of an earlier one, and the posts
    // after the newest shown are those not shown yet.
    bool moment(std::int64_t after, Moment& out) override {
        m_error.clear();
        // One round trip for both statements: `after` is a number of ours.
        const std::string sql =
            "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY; SELECT (SELECT posts FROM counts), "
            "(SELECT coalesce(max(id), 0) FROM scores), (SELECT string_agg(DISTINCT daily, ' ') "
            "FROM scores WHERE id > " +
            std::to_string(after) + " AND daily IS NOT NULL AND verified)";
        const Result result(PQexec(m_store.db(), sql.c_str()));
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) != 1) {
            m_error = PQerrorMessage(m_store.db());
            release();
            return false;
        }
        out.count = std::atoll(PQgetvalue(result.get(), 0, 0));
        out.newest = std::atoll(PQgetvalue(result.get(), 0, 1));
        out.days.clear();
        const std::string days = PQgetvalue(result.get(), 0, 2);
        for (std::size_t start = 0; start < days.size();) {
            const std::size_t end = std::min(days.find(' ', start), days.size());
            const std::string day = days.substr(start, end - start);
            if (pageDay(day))
                out.days.push_back(day);
            start = end + 1;
        }
        return true;
    }

    void release() override { m_store.rollback(); }

    bool renew(std::int64_t seen, bool tell) override {
        const Result result = m_store.run(
            "WITH kept AS (INSERT INTO keepers(id, seen, expires) VALUES ($1, $2::bigint, "
            "clock_timestamp() + $3::bigint * interval '1 millisecond') ON CONFLICT (id) DO "
            "UPDATE SET seen = excluded.seen, expires = excluded.expires RETURNING seen) SELECT "
            "pg_notify($5, seen::text) FROM kept WHERE $4::boolean",
            {m_id, std::to_string(seen), std::to_string(kLease.count()), tell ? "t" : "f",
             kSeenChannel},
            PGRES_TUPLES_OK);
        if (!result)
            return false;
        // The rows of keepers long gone are no one's in particular: every keeper clears them
        // now and then.
        const auto now = std::chrono::steady_clock::now();
        if (now - m_swept < std::chrono::seconds(30))
            return true;
        m_swept = now;
        return sweep();
    }

    // Without the wait for the disk (one fewer in every batch's wait): a crash of the database
    // that loses it leaves an older count, and writers wait for the keeper the longer. The lease
    // is not touched, so the one the keeper counts on stays written for good.
    bool tell(std::int64_t seen) override {
        char* id = PQescapeLiteral(m_store.db(), m_id.c_str(), m_id.size());
        if (!id) {
            m_error = PQerrorMessage(m_store.db());
            return false;
        }
        const std::string count = std::to_string(seen);
        const std::string sql = std::string("BEGIN; SET LOCAL synchronous_commit = off; UPDATE "
                                            "keepers SET seen = ") +
                                count + " WHERE id = " + id + "; NOTIFY " + kSeenChannel + ", '" +
                                count + "'; COMMIT";
        PQfreemem(id);
        m_error.clear();
        if (m_store.exec(sql.c_str()))
            return true;
        m_store.rollback();
        return false;
    }

    bool leave() override {
        return m_store.connected() &&
               m_store.run("DELETE FROM keepers WHERE id = $1", {m_id}, PGRES_COMMAND_OK);
    }

    Store& store() override { return m_store; }
    std::string error() const override { return m_error.empty() ? m_store.error() : m_error; }

private:
    bool sweep() {
        return bool(m_store.run(
            "DELETE FROM keepers WHERE expires < clock_timestamp() - interval '1 minute'", {},
            PGRES_COMMAND_OK));
    }

    PostgresStore m_store;
    const std::string m_id;
    std::string m_error;
    std::chrono::steady_clock::time_point m_swept{};
};

} // namespace

bool isPostgresAddress(const std::string& database) {
    return database.rfind("postgresql://", 0) == 0 || database.rfind("postgres://", 0) == 0;
}

std::unique_ptr<Store> openPostgres(const std::string& conninfo, std::string& error,
                                    const std::string& keeper) {
    auto store = std::make_unique<PostgresStore>(conninfo, keeper, true);
    if (!store->connect()) {
        error = store->error();
        return nullptr;
    }
    return store;
}

std::unique_ptr<KeeperLink> openKeeperLink(const std::string& conninfo, const std::string& id) {
    return std::make_unique<PostgresKeeperLink>(conninfo, id);
}

} // namespace scores
