#pragma once
// Character filters and focus reactions for fields, in the manner of the
// program's forms: a character filter sees every typed character before the
// field does (Backspace is 8, Enter 13; Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z are
// 3, 22, 24 and 26) and may swallow or change it; keys
// that produce no character (Delete, arrows) reach only key-down filters. Tab
// always moves the focus and is never given to a character filter.
#include <functional>
#include <optional>

#include <QChar>

class QLineEdit;
class QWidget;

// Returns the character to pass on (possibly another one) or nullopt to swallow it.
using CharFilter = std::function<std::optional<QChar>(QChar typed)>;
// Returns true to swallow the key.
using KeyDownFilter = std::function<bool(int qtKey)>;

enum class FocusVia { Mouse, Keyboard };

void InstallCharFilter(QWidget* field, CharFilter filter);
void InstallKeyDownFilter(QWidget* field, KeyDownFilter filter);
// Runs `reaction` when the focus moves from `field` to another control (not
// when a message box or another window merely takes it for a while).
void OnExit(QWidget* field, std::function<void()> reaction);
// Runs `reaction` when the focus arrives in `field` from another control.
void OnEnter(QWidget* field, std::function<void(FocusVia)> reaction);

// The numeric filter shared by the count, year and indicator edits:
// digits and Backspace pass.
std::optional<QChar> DigitsAndBackspace(QChar typed);
// The digits 0 to 9.
bool AsciiDigit(QChar c);
// The count, year and indicator edits: DigitsAndBackspace for typing, and
// text that arrives whole (a paste, a drop) keeps its digits only.
void InstallDigitsOnly(QLineEdit* field);

// The filter of every edit whose text goes into the card: a character that
// Windows-1251 cannot hold is refused, so the card keeps what the user sees
// (half of a surrogate pair is refused as well).
std::optional<QChar> CardCharacter(QChar typed);
// Whether Windows-1251 holds the character.
bool InCardCodePage(QChar c);
// Every edit whose text goes into the card: CardCharacter for typing, and
// text that arrives whole (a paste, a drop, an input method) loses what
// Windows-1251 cannot hold.
void InstallCardText(QLineEdit* field);
