#pragma once
// The leak records, in SQLite. An address is never stored: records are keyed by the SHA-256 of
// the normalised address, and one index (address hash, then the leak) serves lookups and keeps
// re-imports free of duplicates.

#include <sqlite3.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zicha::server {

using AddressHash = std::array<unsigned char, 32>;

// SHA-256 of the normalised address's UTF-8 bytes.
AddressHash HashAddress(std::string_view normalized);

struct Leak {
  std::string name;
  std::string date;  // YYYY-MM-DD
  std::string dataKinds;
};

class LeakStore {
 public:
  enum class Mode { kReadOnly, kReadWrite };
  // Opens (with kReadWrite, creates) the database at `path`. Check ok() afterwards.
  LeakStore(const std::string& path, Mode mode);
  ~LeakStore();
  LeakStore(const LeakStore&) = delete;
  LeakStore& operator=(const LeakStore&) = delete;

  bool ok() const { return db_ != nullptr; }
  const std::string& error() const { return error_; }

  bool Begin();
  bool Commit();
  // Adds a record unless the same one is there already; true when it was added.
  bool Add(const AddressHash& hash, const Leak& leak);
  // Every leak of the address, newest first (ties by name).
  std::vector<Leak> Find(const AddressHash& hash);
  long long Count();

 private:
  bool Exec(const char* sql);

  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* find_ = nullptr;
  std::string error_;
};

}  // namespace zicha::server
