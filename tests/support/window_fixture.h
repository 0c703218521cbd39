#pragma once
// The main window for a widget test: created, shown and active, with the
// message boxes recorded instead of shown.
#include <memory>

#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include "support/message_recorder.h"
#include "support/required_control.h"
#include "window/main_window.h"

struct ShownMainWindow {
    ShownMainWindow()
        : window(std::make_unique<TFrmGn>())
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        active = QTest::qWaitForWindowActive(window.get());
    }

    // Child control `name` of type T (nullptr when there is none).
    template <class T>
    T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }

    // Child control `name` of type T; a test that names a missing control stops.
    template <class T>
    T* require(const char* name) const
    {
        return RequiredChild<T>(window.get(), name);
    }

    void showPage(int index)
    {
        window->pages()->setCurrentIndex(index);
        QApplication::processEvents();
    }

    MessageRecorder messages;
    std::unique_ptr<TFrmGn> window;
    bool active = false;
};
