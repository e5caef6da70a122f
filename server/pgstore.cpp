// The PostgreSQL engine of the score store, for several service processes on several machines
// sharing one database. Every transaction of a batch takes the row lock of the post count first,
// so batches from all machines are stored one after another and the rate limit counts every
// machine's posts.
#include "scores.h"

#include <libpq-fe.h>

#include <memory>
#include <optional>

namespace scores {

namespace {

struct ResultFree {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

class PostgresStore : public Store {
public:
    explicit PostgresStore(std::string conninfo) : m_conninfo(std::move(conninfo)) {}
    ~PostgresStore() override { PQfinish(m_db); }

    bool connect() {
        PQfinish(m_db);
        m_db = PQconnectdb(m_conninfo.c_str());
        if (PQstatus(m_db) != CONNECTION_OK) {
            m_error = PQerrorMessage(m_db);
            return false;
        }
        // Several services may start together: one makes the tables, the others wait for it.
        return exec("BEGIN") && exec("SELECT pg_advisory_xact_lock(7041966)") &&
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
                    "NOTHING;") &&
               exec("COMMIT");
    }

    bool begin() override {
        return again([&] { return exec("BEGIN") && exec("SELECT posts FROM counts FOR UPDATE"); });
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
        return bool(run("UPDATE counts SET posts = posts + $1::bigint",
                        {std::to_string(records.size())}, PGRES_COMMAND_OK));
    }

    bool commit() override {
        // A COMMIT outside a transaction only warns: make sure the batch's transaction is the one
        // being committed, on the connection it began on.
        if (PQtransactionStatus(m_db) != PQTRANS_INTRANS) {
            m_error = "the transaction was lost";
            return false;
        }
        return exec("COMMIT");
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

    std::string error() const override { return m_error; }

private:
    // Runs the first step of a transaction, or a read, again on a new connection when the old one
    // was lost (the database restarted): nothing of it had taken effect.
    template <typename Step> bool again(Step step) {
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
    PGconn* m_db = nullptr;
    std::string m_error;
};

} // namespace

bool isPostgresAddress(const std::string& database) {
    return database.rfind("postgresql://", 0) == 0 || database.rfind("postgres://", 0) == 0;
}

std::unique_ptr<Store> openPostgres(const std::string& conninfo, std::string& error) {
    auto store = std::make_unique<PostgresStore>(conninfo);
    if (!store->connect()) {
        error = store->error();
        return nullptr;
    }
    return store;
}

} // namespace scores
