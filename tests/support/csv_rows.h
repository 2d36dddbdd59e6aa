#pragma once
// The rows of a committed CSV table, its header line skipped: each row's
// line (for the failure's trace) and its fields split at the commas, padded
// with empty ones to the width given.
#include <sstream>
#include <string>
#include <vector>

struct CsvRow {
    std::string line;
    std::vector<std::string> f;
};

inline std::vector<CsvRow> csv_rows(const char* text, size_t width)
{
    std::vector<CsvRow> rows;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        CsvRow row{line, {}};
        std::istringstream fields(line);
        for (std::string s; std::getline(fields, s, ',');) row.f.push_back(s);
        row.f.resize(width);
        rows.push_back(row);
    }
    return rows;
}
