#include "history/sqlite.h"

namespace polmina::sql {

namespace {

[[noreturn]] void fail(sqlite3* db, int rc) {
  throw SqlError(rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

void check(sqlite3* db, int rc) {
  if (rc != SQLITE_OK) fail(db, rc);
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  sqlite3_stmt* st = nullptr;
  check(db, sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &st, nullptr));
  st_.reset(st);
}

Statement& Statement::bind(int i, int64_t v) {
  check(db_, sqlite3_bind_int64(st_.get(), i, v));
  return *this;
}

Statement& Statement::bind(int i, double v) {
  check(db_, sqlite3_bind_double(st_.get(), i, v));
  return *this;
}

Statement& Statement::bind(int i, std::string_view text) {
  check(db_, sqlite3_bind_text(st_.get(), i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
  return *this;
}

Statement& Statement::bindBlob(int i, std::span<const uint8_t> bytes) {
  // A zero-length blob is still a blob, not NULL.
  static const uint8_t none = 0;
  const void* data = bytes.empty() ? &none : bytes.data();
  check(db_, sqlite3_bind_blob(st_.get(), i, data, static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
  return *this;
}

Statement& Statement::bindNull(int i) {
  check(db_, sqlite3_bind_null(st_.get(), i));
  return *this;
}

bool Statement::step() {
  const int rc = sqlite3_step(st_.get());
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(st_.get());
  fail(db_, rc);
}

void Statement::run() {
  while (step()) {
  }
  reset();
}

void Statement::reset() {
  sqlite3_reset(st_.get());
  sqlite3_clear_bindings(st_.get());
}

int64_t Statement::integer(int col) const { return sqlite3_column_int64(st_.get(), col); }
double Statement::real(int col) const { return sqlite3_column_double(st_.get(), col); }

std::string Statement::text(int col) const {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st_.get(), col));
  return p ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(st_.get(), col))) : std::string();
}

std::vector<uint8_t> Statement::blob(int col) const {
  const auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(st_.get(), col));
  const auto n = static_cast<size_t>(sqlite3_column_bytes(st_.get(), col));
  return p ? std::vector<uint8_t>(p, p + n) : std::vector<uint8_t>();
}

Database::Database(const std::filesystem::path& file, int busyMs) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  db_.reset(db);
  if (rc != SQLITE_OK) fail(db, rc);
  sqlite3_busy_timeout(db, busyMs);
}

Database::Database(const std::filesystem::path& file, int busyMs, bool immutable) {
  sqlite3* db = nullptr;
  std::string uri = "file:";
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : file.string()) {
    if (c == '%' || c == '?' || c == '#') {
      uri += '%';
      uri += kHex[c / 16];
      uri += kHex[c % 16];
    } else {
      uri += c;
    }
  }
  uri += immutable ? "?immutable=1" : "?mode=ro";
  const int rc = sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  db_.reset(db);
  if (rc != SQLITE_OK) fail(db, rc);
  sqlite3_busy_timeout(db, busyMs);
}

void Database::exec(std::string_view sql) {
  char* err = nullptr;
  const std::string text(sql);
  const int rc = sqlite3_exec(db_.get(), text.c_str(), nullptr, nullptr, &err);
  if (rc == SQLITE_OK) return;
  const std::string what = err ? err : sqlite3_errstr(rc);
  sqlite3_free(err);
  throw SqlError(rc, what);
}

Statement& Database::kept(std::string_view sql) {
  auto it = kept_.find(sql);
  if (it == kept_.end()) it = kept_.emplace(std::string(sql), prepare(sql)).first;
  it->second.reset();
  return it->second;
}

int64_t Database::scalar(std::string_view sql) {
  Statement st = prepare(sql);
  return st.step() ? st.integer(0) : 0;
}

Transaction::Transaction(Database& db) : db_(db) { db_.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
  if (!open_) return;
  try {
    db_.exec("ROLLBACK");
  } catch (const SqlError&) {
    // A failed statement may already have ended the transaction.
  }
}

void Transaction::commit() {
  db_.exec("COMMIT");
  open_ = false;
}

}  // namespace polmina::sql
