#pragma once
// A plain in-memory grid for list tests: rows of cells, row 0 the header.
#include <string>
#include <vector>

#include "card/grid.h"

class StringGrid final : public card::Grid {
public:
    StringGrid(int rows, int columns)
        : cells_(rows, std::vector<std::string>(columns))
    {
    }
    int rowCount() const override { return static_cast<int>(cells_.size()); }
    void clearRow(int row) override
    {
        for (auto& cell : cells_.at(row))
            cell.clear();
    }
    void setCell(int column, int row, const std::string& text) override { cells_.at(row).at(column) = text; }

    const std::string& cell(int column, int row) const { return cells_.at(row).at(column); }
    const std::vector<std::string>& row(int r) const { return cells_.at(r); }
    bool rowEmpty(int r) const
    {
        for (const auto& cell : cells_.at(r))
            if (!cell.empty())
                return false;
        return true;
    }

private:
    std::vector<std::vector<std::string>> cells_;
};
