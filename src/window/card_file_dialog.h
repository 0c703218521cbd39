#pragma once
// The file-open dialog of the load command. Tests replace it with a chooser
// of their own.
#include <functional>

#include <QString>

class QWidget;

// Returns the chosen card file's full name, or an empty text when cancelled.
using CardFileChooser = std::function<QString(QWidget* parent)>;

QString ChooseCardFile(QWidget* parent);
// Replaces the dialog (an empty chooser restores the real one).
void SetCardFileChooser(CardFileChooser chooser);
