#pragma once
// The one way the card window opens the classifier picker. The classifier
// module installs the real opener at start-up; until then nothing opens.
#include <functional>

class QWidget;

using ClassifierOpener = std::function<void(QWidget* parent)>;

void SetClassifierOpener(ClassifierOpener opener);
// Creates the picker anew and shows it modally over `parent`.
void OpenClassifierPicker(QWidget* parent);
