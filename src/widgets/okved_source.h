#pragma once
// The classifier source of the activity code (0 none, 1 OKVED, 2 KDES2) is
// kept as the integer tag of the field `Ed_okved`; this is its one accessor.
class QWidget;

int OkvedSourceOf(const QWidget* okvedField);
void SetOkvedSource(QWidget* okvedField, int source);
