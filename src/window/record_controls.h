#pragma once
// The control that shows a record field: its name is written once, in the
// record layout table, and the pages take it from there.
#include <string_view>

#include <QString>

#include "card/card_layout.h"

// std::out_of_range for a field the record lacks, so a misspelt field name
// stops the window being built instead of naming a control nobody reads.
inline QString ControlName(std::string_view field) { return QString::fromStdString(card::Field(field).control); }
