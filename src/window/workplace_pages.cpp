#include "window/workplace_pages.h"

WorkplacePage::WorkplacePage(int pageIndex, QWidget* parent)
    : QWidget(parent)
    , pageIndex_(pageIndex)
{
}

QString WorkplacePage::caption(int pageIndex)
{
    switch (pageIndex) {
    case 3: return QStringLiteral("класс 1, 2");
    case 4: return QStringLiteral("класс 3.1, 3.2");
    case 5: return QStringLiteral("класс 3.3, 3.4");
    default: return QStringLiteral("класс 4, обучено");
    }
}
