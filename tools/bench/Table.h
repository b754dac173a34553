// The benchmark's one table, printed as Markdown with padded columns so that
// it reads in a terminal and pastes into a document as it stands.
#pragma once

#include <string>
#include <vector>

class Table {
  public:
    explicit Table(const std::vector<std::string>& header);
    void Add(const std::vector<std::string>& row);
    void Print() const;

  private:
    std::vector<std::vector<std::string>> rows;
};

// printf-style formatting into a std::string, bounded.
std::string Text(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
