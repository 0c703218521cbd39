#pragma once
// What the register remembers between starts: the folder, the files chosen
// to count among repeats (per folder) and the folder of the last export.
#include <QString>

#include "register/register_summary.h"

QString RememberedFolder();
void RememberFolder(const QString& folder);

reg::RepeatChoice RememberedRepeatChoice(const QString& folder);
void RememberRepeatChoice(const QString& folder, const reg::RepeatChoice& chosen);

// Empty until the first export.
QString RememberedExportFolder();
void RememberExportFolder(const QString& folder);
