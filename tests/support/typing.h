#pragma once
// Types any text, Cyrillic included, into a widget key by key (QTest's own
// keyClicks handles Latin-1 only).
#include <QString>
#include <QTest>
#include <QWidget>

inline void TypeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        const QString one(c);
        const char latin = c.toLatin1();
        if (c.unicode() < 128 && latin != 0)
            QTest::keyClick(widget, latin);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, one, Qt::NoModifier);
    }
}
