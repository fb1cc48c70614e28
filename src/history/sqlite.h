#pragma once
// A thin RAII layer over SQLite 3: a connection, prepared statements and transactions. Every failure
// throws SqlError with SQLite's result code, so callers decide in one place what a failure means.
#include <sqlite3.h>

#include <concepts>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace polmina::sql {

class SqlError : public std::runtime_error {
 public:
  SqlError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
  // The primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...).
  int code() const { return code_ & 0xff; }

 private:
  int code_;
};

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  Statement(Statement&&) noexcept = default;
  Statement& operator=(Statement&&) noexcept = default;

  // Parameters count from 1, as in SQL.
  Statement& bind(int i, int64_t v);
  Statement& bind(int i, double v);
  Statement& bind(int i, std::string_view text);
  Statement& bindBlob(int i, std::span<const uint8_t> bytes);
  Statement& bindNull(int i);
  // Binds the values to the parameters ?1, ?2, ... in order: whole numbers of any width, doubles,
  // text (UTF-8), byte vectors as blobs and nullptr as NULL.
  template <typename... V>
  Statement& row(const V&... values) {
    int i = 0;
    (bindValue(++i, values), ...);
    return *this;
  }
  // True while there is a row to read.
  bool step();
  // Runs a statement that returns no rows, then makes it ready for the next binding.
  void run();
  void reset();

  // Columns count from 0.
  int64_t integer(int col) const;
  double real(int col) const;
  std::string text(int col) const;
  std::vector<uint8_t> blob(int col) const;
  bool isNull(int col) const { return sqlite3_column_type(st_.get(), col) == SQLITE_NULL; }

 private:
  void bindValue(int i, std::integral auto v) { bind(i, static_cast<int64_t>(v)); }
  void bindValue(int i, double v) { bind(i, v); }
  void bindValue(int i, std::string_view text) { bind(i, text); }
  void bindValue(int i, const std::string& text) { bind(i, std::string_view(text)); }
  void bindValue(int i, const std::vector<uint8_t>& bytes) { bindBlob(i, bytes); }
  void bindValue(int i, std::nullptr_t) { bindNull(i); }

  struct Finalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
  };
  sqlite3* db_;
  std::unique_ptr<sqlite3_stmt, Finalizer> st_;
};

class Database {
 public:
  // Opens (creating when missing) the database file; waits up to busyMs for another writer.
  Database(const std::filesystem::path& file, int busyMs);
  // Opens an existing file only to read it; `immutable` when nothing can change it meanwhile (its
  // folder cannot be written), so that SQLite needs no file of its own beside it.
  Database(const std::filesystem::path& file, int busyMs, bool immutable);
  void exec(std::string_view sql);
  Statement prepare(std::string_view sql) { return Statement(db_.get(), sql); }
  // A statement prepared once for the connection's life, for those that run many times a week; it
  // comes back reset, without bindings.
  Statement& kept(std::string_view sql);
  // The single integer of a query such as "PRAGMA user_version".
  int64_t scalar(std::string_view sql);
  int64_t lastInsertId() const { return sqlite3_last_insert_rowid(db_.get()); }

 private:
  struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
  };
  std::unique_ptr<sqlite3, Closer> db_;
  std::map<std::string, Statement, std::less<>> kept_;  // declared after the connection: finalized before it closes
};

// BEGIN IMMEDIATE on construction; rolled back unless commit() was called.
class Transaction {
 public:
  explicit Transaction(Database& db);
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  ~Transaction();
  void commit();

 private:
  Database& db_;
  bool open_ = true;
};

}  // namespace polmina::sql
