#include "widgets/named_button.h"

#include <QPushButton>

QPushButton* MakeNamedButton(QWidget* parent, const char* name, const QString& caption, EnterKey enter)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(enter == EnterKey::PressesFocusedButton);
    button->setDefault(false);
    return button;
}
