#pragma once
// A control found by its objectName under `parent`. A test that names a
// missing control stops there, so a misspelt name cannot pass for a control
// that is rightly absent.
#include <QObject>
#include <QString>
#include <QWidget>

template <typename T = QWidget>
T* RequiredChild(const QObject* parent, const char* name)
{
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}
