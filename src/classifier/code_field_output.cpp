#include "classifier/code_field_output.h"

#include <QLabel>
#include <QLineEdit>

#include "widgets/okved_source.h"

void WriteChosenCode(QWidget* cardWindow, const QString& code, ClassifierKind kind)
{
    if (!cardWindow)
        return;
    const ClassifierInfo& info = InfoOf(kind);
    auto* field = cardWindow->findChild<QLineEdit*>(QStringLiteral("Ed_okved"));
    auto* label = cardWindow->findChild<QLabel*>(QStringLiteral("lbl_okv"));
    if (field)
        field->setText(code); // runs the field's own change handling
    if (label)
        label->setText(Utf8(info.usedCaption));
    if (field)
        SetOkvedSource(field, info.okvedSource);
}
