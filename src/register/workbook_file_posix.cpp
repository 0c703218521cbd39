// The workbook goes straight to its name: libxlsxwriter's fopen takes the
// UTF-8 bytes as they are.
#include "register/register_export.h"
#include "register/workbook_file.h"

namespace reg {

std::string WriteXlsx(const std::vector<ExportTable>& tables, const std::string& path)
{
    std::string reason;
    if (!WriteWorkbook(tables, path, nullptr, reason))
        return SaveFailedText(path, reason);
    return {};
}

} // namespace reg
