#include "classifier/picker_hook.h"

#include <QWidget>

#include "classifier/okv_kds.h"
#include "widgets/classifier_opener.h"
#include "window/main_window.h"

void InstallClassifierPicker()
{
    SetClassifierOpener([](QWidget* parent) {
        // The picker writes into the window that asked for it: the main window.
        QWidget* cardWindow = parent ? parent->window() : FrmGn;
        ShowClassifierPicker(cardWindow, cardWindow);
    });
}
