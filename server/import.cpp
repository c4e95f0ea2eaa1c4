#include "server/import.h"

#include "server/address.h"

namespace zicha::server {
namespace {

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool IsDate(const std::string& d) {
  if (d.size() != 10 || d[4] != '-' || d[7] != '-') return false;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (d[i] < '0' || d[i] > '9') return false;
  const int month = std::stoi(d.substr(5, 2)), day = std::stoi(d.substr(8, 2));
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace

bool ReadCsvRecord(std::istream& in, long& line, std::vector<std::string>& fields, bool& unterminatedQuote) {
  fields.clear();
  unterminatedQuote = false;
  std::string text;
  if (!std::getline(in, text)) return false;
  ++line;
  std::string field;
  bool quoted = false;
  for (size_t i = 0;; ++i) {
    if (i == text.size()) {
      if (!quoted) break;
      // A quoted field goes on over the line break.
      std::string next;
      if (!std::getline(in, next)) {
        unterminatedQuote = true;
        break;
      }
      ++line;
      field += '\n';
      text = std::move(next);
      i = static_cast<size_t>(-1);
      continue;
    }
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.push_back(std::move(field));
      field.clear();
    } else if (c != '\r' || i + 1 != text.size()) {
      field += c;
    }
  }
  fields.push_back(std::move(field));
  return true;
}

ImportResult ImportCsv(std::istream& in, LeakStore& store, const std::function<void(long)>& progress) {
  ImportResult result;
  if (!store.Begin()) {
    result.error = store.error();
    return result;
  }
  long line = 0, records = 0;
  std::vector<std::string> fields;
  bool unterminated = false;
  while (true) {
    const long start = line + 1;
    if (!ReadCsvRecord(in, line, fields, unterminated)) break;
    if (fields.size() == 1 && Trim(fields[0]).empty()) continue;  // an empty line
    ++records;
    if (progress && records % 10000 == 0) progress(records);
    if (records == 1) {
      const std::string first = NormalizeAddress(fields[0]);
      if (first == "address" || first == "email") continue;
    }
    auto bad = [&](std::string reason) { result.bad.push_back({start, std::move(reason)}); };
    if (unterminated) {
      bad("unterminated quoted field");
      break;
    }
    if (fields.size() != 4) {
      bad("expected 4 fields, found " + std::to_string(fields.size()));
      continue;
    }
    const std::string address = NormalizeAddress(fields[0]);
    Leak leak{Trim(fields[1]), Trim(fields[2]), Trim(fields[3])};
    if (!IsPlausibleAddress(address)) {
      bad("not a plausible e-mail address");
    } else if (leak.name.empty()) {
      bad("empty leak name");
    } else if (!IsDate(leak.date)) {
      bad("date is not YYYY-MM-DD");
    } else if (leak.dataKinds.empty()) {
      bad("empty data kinds");
    } else if (store.Add(HashAddress(address), leak)) {
      ++result.added;
    } else if (!store.error().empty()) {
      result.error = store.error();
      return result;  // the transaction is rolled back when the store closes
    } else {
      ++result.duplicates;
    }
  }
  if (progress) progress(records);
  if (!store.Commit()) result.error = store.error();
  return result;
}

}  // namespace zicha::server
