#pragma once
// The register's CSV read back as a spreadsheet would, written apart from the
// writer: the register's tests and its fuzz target check the writer with it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace csvread {

// Splits CSV (";" between cells, CRLF line ends) into rows of cells; quoted
// cells may hold ; " and line breaks. nullopt when the text is no such CSV
// (a quote left open, a quote inside an unquoted cell, a line not ended).
inline std::optional<std::vector<std::vector<std::string>>> ParseCsv(std::string_view text)
{
    std::vector<std::vector<std::string>> rows(1);
    std::string cell;
    bool quoted = false, wasQuoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                cell += text[++i];
            else if (c == '"')
                quoted = false;
            else
                cell += c;
        } else if (c == '"') {
            if (wasQuoted || !cell.empty())
                return std::nullopt;
            quoted = wasQuoted = true;
        } else if (c == ';') {
            rows.back().push_back(cell);
            cell.clear();
            wasQuoted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.back().push_back(cell);
            cell.clear();
            wasQuoted = false;
            rows.emplace_back();
            ++i;
        } else {
            if (wasQuoted)
                return std::nullopt;
            cell += c;
        }
    }
    if (quoted || !cell.empty() || !rows.back().empty())
        return std::nullopt;
    rows.pop_back(); // after the last line end
    return rows;
}

// The text a cell written by the register stands for. A cell starting with
// = must be a formula of text constants only, ="…" or ="…"&"…" (the guard
// of a text): the joined constants; any other formula gives nullopt. A
// leading apostrophe is the guard of a text too long for a formula: left out.
inline std::optional<std::string> TextOfCell(std::string_view cell)
{
    if (!cell.empty() && cell.front() == '\'')
        return std::string(cell.substr(1));
    if (cell.empty() || cell.front() != '=')
        return std::string(cell);
    std::string text;
    std::size_t i = 1;
    for (;;) {
        if (i >= cell.size() || cell[i] != '"')
            return std::nullopt;
        for (++i;; ++i) {
            if (i >= cell.size())
                return std::nullopt;
            if (cell[i] == '"' && i + 1 < cell.size() && cell[i + 1] == '"')
                text += cell[++i];
            else if (cell[i] == '"')
                break;
            else
                text += cell[i];
        }
        ++i;
        if (i == cell.size())
            return text;
        if (cell[i] != '&')
            return std::nullopt;
        ++i;
    }
}

} // namespace csvread
