#pragma once
// Widgets made with their objectName: the save and load commands, the tests
// and the screenshots find every control by it. The name comes first and the
// parent last, as in every helper that makes a named widget.
#include <QString>

class QLabel;
class QWidget;

template <typename W>
W* Named(const QString& name, QWidget* parent)
{
    auto* widget = new W(parent);
    widget->setObjectName(name);
    return widget;
}

template <typename W>
W* Named(const char* name, QWidget* parent)
{
    return Named<W>(QString::fromLatin1(name), parent);
}

// A label with its text; with a `buddy`, its mnemonic and a click on it lead
// to that field.
QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent, QWidget* buddy = nullptr);
