#pragma once
// The register's dialogs for files: where an export goes (the last folder
// remembered), and the printed card of a row read again from its file.
#include <QString>

#include <optional>

#include "register/register_row.h"
#include "register/register_table.h"

class QWidget;

// The export's file, with its ending added from the chosen type; empty when
// the user cancels. The dialog starts in the folder of the last export, or
// else in `cardsFolder`.
QString ChooseExportFile(QWidget* parent, const QString& cardsFolder);

// The print preview of `row`'s card, read again from its file (shown as
// `cardsFolder`/row.file); a file that has gone or no longer holds a card is
// named in the register's box, with the reason.
void PrintCardOfRow(QWidget* parent, const reg::RegisterRow& row, const QString& cardsFolder);

// The print preview of the district's annual report of `content` (its PDF
// offered beside the cards) for `period` and the office's district, if
// one is chosen.
void ShowReport(QWidget* parent, const reg::ExportContent& content, reg::YearPeriod period,
                std::optional<int> district);
