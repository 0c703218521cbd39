#pragma once
// The register's dialogs for files: where an export goes (the last folder
// remembered), and the printed card of a row read again from its file.
#include <QString>

#include "register/register_row.h"

class QWidget;

// The export's file, with its ending added from the chosen type; empty when
// the user cancels. The dialog starts in the folder of the last export, or
// else in `cardsFolder`.
QString ChooseExportFile(QWidget* parent, const QString& cardsFolder);

// The print preview of `row`'s card, read again from its file (shown as
// `cardsFolder`/row.file); a file that has gone or no longer holds a card is
// named in the register's box, with the reason.
void PrintCardOfRow(QWidget* parent, const reg::RegisterRow& row, const QString& cardsFolder);
