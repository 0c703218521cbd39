#pragma once
// Typing into widgets as a user would, Cyrillic included (QTest::keyClicks
// handles Latin-1 only): each character is a key press and release carrying
// its text, sent to `widget` through the application, so that event filters
// see it.
#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

inline Qt::Key KeyOf(QChar c)
{
    if (c == QLatin1Char('\b'))
        return Qt::Key_Backspace;
    if (c == QLatin1Char('\r'))
        return Qt::Key_Return;
    if (c == QLatin1Char('\t'))
        return Qt::Key_Tab;
    return static_cast<Qt::Key>(c.toUpper().unicode());
}

inline void TypeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        const Qt::Key key = KeyOf(c);
        const QString typed = c.unicode() < 32 ? QString() : QString(c);
        QTest::sendKeyEvent(QTest::Press, widget, key, typed, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, typed, Qt::NoModifier);
    }
}

// Shows `window` and waits until it has the keyboard focus, so that focus
// moves deliver their events.
inline bool ShowActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    // The platform may call the window active a moment before the
    // application has moved the focus into it: wait for the latter.
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}
