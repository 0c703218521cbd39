#include "window/enterprise_page.h"

EnterprisePage::EnterprisePage(QWidget* parent)
    : QWidget(parent)
{
}

void EnterprisePage::writeGridHeader() {}
