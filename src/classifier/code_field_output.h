#pragma once
// Where an accepted code goes: the target the opener handed over.
#include <QString>

#include "classifier/classifier_kind.h"
#include "widgets/classifier_opener.h"

// Writes, in this order, the code into the target's field, the classifier's
// caption into its label and the classifier source into the field's tag. A
// part the target lacks is skipped.
void WriteChosenCode(const CodeTarget& target, const QString& code, ClassifierKind kind);
