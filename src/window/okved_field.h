#pragma once
// The activity-code field opens the classifier picker instead of taking
// typed text. Three user actions open it: a typed character, a click, and
// the focus arriving by Tab, Shift+Tab or a shortcut. Each action opens it
// once: a click that also brings the focus opens it on the button's release
// only, and the focus coming back when the picker closes opens nothing.
#include <functional>

class QLineEdit;

// `open` runs for every such action; while it runs, further actions are ignored.
void InstallPickerTriggers(QLineEdit* field, std::function<void()> open);
