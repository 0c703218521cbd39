#pragma once
// The font of the program's windows: MS Sans Serif, 8 points. Where that font
// is missing the system's sans-serif face of the same size stands in.
#include <QFont>

inline QFont FormFont()
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
