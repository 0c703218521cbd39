#include "widgets/field_colour.h"

#include <QPalette>
#include <QWidget>

void SetFieldInvalid(QWidget* field, bool invalid)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, invalid ? QColor(255, 0, 0) : QColor(0, 0, 0));
    field->setPalette(palette);
}

bool IsFieldMarkedInvalid(const QWidget* field) { return field->palette().color(QPalette::Text) == QColor(255, 0, 0); }
