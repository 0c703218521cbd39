#pragma once
// Where an accepted code goes: the card window's activity-code field
// `Ed_okved`, its source label `lbl_okv` and the field's classifier source.
#include <QString>

#include "classifier/classifier_kind.h"

class QWidget;

// Writes, in this order, the code into `Ed_okved`, the classifier's caption
// into `lbl_okv` and the classifier source into the field's tag. A control
// the window does not hold is skipped.
void WriteChosenCode(QWidget* cardWindow, const QString& code, ClassifierKind kind);
