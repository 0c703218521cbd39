#include "widgets/named.h"

#include <QLabel>

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent, QWidget* buddy)
{
    auto* label = Named<QLabel>(name, parent);
    label->setText(text);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}
