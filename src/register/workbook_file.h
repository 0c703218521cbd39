#pragma once
// The workbook's file: libxlsxwriter writes it (register_export.cpp), the
// platform's own file decides under which name (WriteXlsx).
#include <string>
#include <vector>

#include "register/register_table.h"

namespace reg {

// Writes the workbook to `path`, libxlsxwriter's temporary files into
// `tmpdir` (null: the system's); false when libxlsxwriter failed, with its
// reason in `reason`.
bool WriteWorkbook(const std::vector<ExportTable>& tables, const std::string& path, char* tmpdir, std::string& reason);

} // namespace reg
