#include "server/store.h"

#include <openssl/evp.h>

namespace zicha::server {

AddressHash HashAddress(std::string_view normalized) {
  AddressHash hash{};
  unsigned int length = 0;
  EVP_Digest(normalized.data(), normalized.size(), hash.data(), &length, EVP_sha256(), nullptr);
  return hash;
}

LeakStore::LeakStore(const std::string& path, Mode mode) {
  const int flags = mode == Mode::kReadOnly ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
    error_ = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  sqlite3_busy_timeout(db_, 5000);
  if (mode == Mode::kReadWrite &&
      !Exec("CREATE TABLE IF NOT EXISTS leaks ("
            " address_hash BLOB NOT NULL, leak_name TEXT NOT NULL, leak_date TEXT NOT NULL,"
            " data_kinds TEXT NOT NULL,"
            " UNIQUE (address_hash, leak_name, leak_date, data_kinds))")) {
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  if (sqlite3_prepare_v2(db_, "SELECT leak_name, leak_date, data_kinds FROM leaks WHERE address_hash = ?"
                              " ORDER BY leak_date DESC, leak_name", -1, &find_, nullptr) != SQLITE_OK ||
      (mode == Mode::kReadWrite &&
       sqlite3_prepare_v2(db_, "INSERT OR IGNORE INTO leaks VALUES (?, ?, ?, ?)", -1, &insert_, nullptr) != SQLITE_OK)) {
    error_ = sqlite3_errmsg(db_);
    sqlite3_finalize(find_);
    sqlite3_finalize(insert_);
    find_ = insert_ = nullptr;
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

LeakStore::~LeakStore() {
  sqlite3_finalize(insert_);
  sqlite3_finalize(find_);
  sqlite3_close(db_);
}

bool LeakStore::Exec(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
  error_ = message ? message : "sqlite error";
  sqlite3_free(message);
  return false;
}

bool LeakStore::Begin() { return Exec("BEGIN IMMEDIATE"); }
bool LeakStore::Commit() { return Exec("COMMIT"); }

bool LeakStore::Add(const AddressHash& hash, const Leak& leak) {
  sqlite3_reset(insert_);
  sqlite3_bind_blob(insert_, 1, hash.data(), static_cast<int>(hash.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(insert_, 2, leak.name.data(), static_cast<int>(leak.name.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(insert_, 3, leak.date.data(), static_cast<int>(leak.date.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(insert_, 4, leak.dataKinds.data(), static_cast<int>(leak.dataKinds.size()), SQLITE_TRANSIENT);
  if (sqlite3_step(insert_) != SQLITE_DONE) {
    error_ = sqlite3_errmsg(db_);
    return false;
  }
  return sqlite3_changes(db_) > 0;
}

std::vector<Leak> LeakStore::Find(const AddressHash& hash) {
  std::vector<Leak> leaks;
  sqlite3_reset(find_);
  sqlite3_bind_blob(find_, 1, hash.data(), static_cast<int>(hash.size()), SQLITE_TRANSIENT);
  auto column = [&](int i) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(find_, i));
    return std::string(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(find_, i)));
  };
  while (sqlite3_step(find_) == SQLITE_ROW) leaks.push_back({column(0), column(1), column(2)});
  return leaks;
}

long long LeakStore::Count() {
  sqlite3_stmt* s = nullptr;
  long long n = -1;
  if (sqlite3_prepare_v2(db_, "SELECT COUNT(*) FROM leaks", -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
    n = sqlite3_column_int64(s, 0);
  sqlite3_finalize(s);
  return n;
}

}  // namespace zicha::server
