#include "window/state_page.h"

StatePage::StatePage(QWidget* parent)
    : QWidget(parent)
{
}

void StatePage::setDatesToToday() {}
