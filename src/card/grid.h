#pragma once
// What a list needs of the grid that shows it.
#include <string>

namespace card {

class Grid {
public:
    virtual ~Grid() = default;
    // Number of rows, the header row 0 included.
    virtual int rowCount() const = 0;
    virtual void clearRow(int row) = 0;
    virtual void setCell(int column, int row, const std::string& text) = 0;
};

} // namespace card
