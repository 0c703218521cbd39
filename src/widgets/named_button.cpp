#include "widgets/named_button.h"

#include <QPushButton>

#include "widgets/named.h"

QPushButton* MakeNamedButton(const char* name, const QString& caption, QWidget* parent, EnterKey enter)
{
    auto* button = Named<QPushButton>(name, parent);
    button->setText(caption);
    button->setAutoDefault(enter == EnterKey::PressesFocusedButton);
    button->setDefault(false);
    return button;
}
