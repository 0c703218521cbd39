#pragma once
// Marking an invalid value: the field's text turns pure red (255, 0, 0);
// unmarking turns it black. Marking never blocks input or the focus.
class QWidget;

void SetFieldInvalid(QWidget* field, bool invalid);
bool IsFieldMarkedInvalid(const QWidget* field);
