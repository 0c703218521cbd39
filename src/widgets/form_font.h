#pragma once
// The font of the program's windows: MS Sans Serif, 8 points. Where that font
// is missing, Tahoma (the nearest face of its size, which Wine has) stands
// in, and without it the system's sans-serif face of the same size.
#include <QFont>

inline QFont FormFont()
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma")});
    font.setStyleHint(QFont::SansSerif);
    return font;
}
