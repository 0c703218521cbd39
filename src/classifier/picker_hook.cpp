#include "classifier/picker_hook.h"

#include <QLineEdit>

#include "classifier/okv_kds.h"
#include "widgets/classifier_opener.h"

void InstallClassifierPicker()
{
    SetClassifierOpener([](QWidget* parent, const CodeTarget& target) {
        // The picker stands over the window that asked for it.
        QWidget* over = parent ? parent->window() : target.field ? target.field->window() : nullptr;
        ShowClassifierPicker(target, over);
    });
}
