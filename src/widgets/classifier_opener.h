#pragma once
// The one way the card window opens the classifier picker. The classifier
// module installs the real opener at start-up; until then nothing opens.
#include <functional>

class QLabel;
class QLineEdit;
class QWidget;

// What the picker writes an accepted code into, handed over by whoever opens
// it: the activity-code field (its text, then its classifier source,
// okved_source.h) and the label that names the classifier. The picker thus
// knows neither the window nor a control name.
struct CodeTarget {
    QLineEdit* field = nullptr;
    QLabel* caption = nullptr;
};

using ClassifierOpener = std::function<void(QWidget* parent, const CodeTarget& target)>;

void SetClassifierOpener(ClassifierOpener opener);
// Creates the picker anew and shows it modally over `parent`.
void OpenClassifierPicker(QWidget* parent, const CodeTarget& target);
