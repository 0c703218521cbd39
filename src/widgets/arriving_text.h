#pragma once
// Text that reaches a line edit whole instead of key by key: a paste (Ctrl+V,
// Shift+Insert, the context menu, the middle button), a drop, an input
// method's committed text. No character filter sees it, so a field gives it
// the same rule separately: the characters the field does not take are
// dropped, the rest of the text arrives.
class QChar;
class QLineEdit;

// Whether a field takes the character. The rule depends on the character
// alone.
using CharRule = bool (*)(QChar);

// From now on, text arriving in `field` loses every character `takes`
// refuses; several rules on one field all apply. Only the arriving text is
// judged: what the field holds already stays, and so does a text the program
// sets (setText), so a loaded card shows and saves back what it holds.
void DropRefusedOnArrival(QLineEdit* field, CharRule takes);
