#pragma once
// A push button with its objectName. None of the program's buttons is a
// dialog's default button; `enter` says whether Enter presses it while it has
// the focus (as Space always does).
#include <QString>

class QPushButton;
class QWidget;

enum class EnterKey { PressesFocusedButton, Ignored };

QPushButton* MakeNamedButton(const char* name, const QString& caption, QWidget* parent,
                             EnterKey enter = EnterKey::Ignored);
