#include "classifier/code_field_output.h"

#include <QLabel>
#include <QLineEdit>

#include "widgets/okved_source.h"

void WriteChosenCode(const CodeTarget& target, const QString& code, ClassifierKind kind)
{
    const ClassifierInfo& info = InfoOf(kind);
    if (target.field)
        target.field->setText(code); // runs the field's own change handling
    if (target.caption)
        target.caption->setText(Utf8(info.usedCaption));
    if (target.field)
        SetOkvedSource(target.field, info.okvedSource);
}
