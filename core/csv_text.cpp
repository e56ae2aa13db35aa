#include "core/csv_text.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace tarnivel {
namespace {

bool NeedsQuotes(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }

}  // namespace

// The iterator forms of the algorithms throughout: the page's C++ library has no ranges.
std::size_t FirstNamed(std::span<const std::string> names, std::string_view name) {
  const auto found = std::find(names.begin(), names.end(), name);
  return found == names.end() ? kNoColumn : static_cast<std::size_t>(found - names.begin());
}

std::string NormalisedName(std::string_view name) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::optional<std::string> RepeatedName(std::span<const std::string> names) {
  std::unordered_set<std::string> seen;  // a header may have 65536 cells
  for (const std::string& name : names) {
    std::string normalised = NormalisedName(name);
    if (!normalised.empty() && !seen.insert(std::move(normalised)).second) return name;
  }
  return std::nullopt;
}

std::string OwnColumnName(std::span<const std::string> taken, std::string_view name) {
  const auto free = [&](const std::string& candidate) {
    return std::find(taken.begin(), taken.end(), candidate) == taken.end();
  };
  std::string candidate(name);
  if (free(candidate)) return candidate;
  candidate = "tarnivel_" + candidate;
  for (int n = 2; !free(candidate); ++n) {
    candidate = "tarnivel_" + std::string(name) + "_" + std::to_string(n);
  }
  return candidate;
}

void AppendCsvCell(std::string& out, std::string_view cell) {
  const std::size_t size = out.size();
  out.resize(size + CsvCellBound(cell.size()));
  out.resize(static_cast<std::size_t>(WriteCsvCell(out.data() + size, cell) - out.data()));
}

char* WriteCsvCell(char* to, std::string_view cell) {
  if (std::find_if(cell.begin(), cell.end(), NeedsQuotes) == cell.end()) {
    return std::copy(cell.begin(), cell.end(), to);
  }
  *to++ = '"';
  for (char c : cell) {
    if (c == '"') *to++ = '"';
    *to++ = c;
  }
  *to++ = '"';
  return to;
}

void AppendCsvRow(std::string& out, std::span<const std::string> cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += ',';
    AppendCsvCell(out, cells[i]);
  }
  out += '\n';
}

std::variant<std::vector<CsvRecord>, std::string> CsvRecords(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<CsvRecord> records;
  CsvRecord record{{std::string()}, 1};
  std::size_t line = 1;
  const auto end_record = [&] {
    records.push_back(std::move(record));
    record = CsvRecord{{std::string()}, line};
  };
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '"' && record.cells.back().empty()) {
      const std::size_t opened = line;
      for (++i;; ++i) {
        if (i >= text.size()) {
          return "line " + std::to_string(opened) + ": a quoted cell is never closed";
        }
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            record.cells.back() += '"';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        if (text[i] == '\n') ++line;
        record.cells.back() += text[i];
      }
      if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
        return "line " + std::to_string(line) + ": text after the closing quote of a cell";
      }
      continue;
    }
    if (c == ',') {
      record.cells.emplace_back();
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      end_record();
    } else {
      record.cells.back() += c;
    }
    ++i;
  }
  if (record.cells.size() > 1 || !record.cells[0].empty()) end_record();
  return records;
}

}  // namespace tarnivel
