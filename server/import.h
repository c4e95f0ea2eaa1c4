#pragma once
// Importing leak records from CSV (RFC 4180: commas, double-quoted fields with "" for a quote,
// quoted line breaks). Columns: address, leak name, date (YYYY-MM-DD), data kinds. A first row
// whose first field is "address" or "email" is a header. Empty lines are skipped.

#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "server/store.h"

namespace zicha::server {

struct BadRow {
  long line;  // where the record starts, from 1
  std::string reason;
};

struct ImportResult {
  long added = 0;       // new records
  long duplicates = 0;  // records the store had already
  std::vector<BadRow> bad;
  std::string error;  // the store failed; nothing was committed
};

// Reads every record and adds the good ones in one transaction. `progress` is called now and then
// with the number of records read so far.
ImportResult ImportCsv(std::istream& in, LeakStore& store, const std::function<void(long)>& progress = {});

// Splits the next record from `in`; false at the end. `line` is advanced past the lines read.
bool ReadCsvRecord(std::istream& in, long& line, std::vector<std::string>& fields, bool& unterminatedQuote);

}  // namespace zicha::server
