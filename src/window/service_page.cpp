#include "window/service_page.h"

ServicePage::ServicePage(QWidget* parent)
    : QWidget(parent)
{
}

void ServicePage::writeGridHeader() {}
