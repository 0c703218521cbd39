#include "window/card_file_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace {

CardFileChooser& Chooser()
{
    static CardFileChooser chooser;
    return chooser;
}

// The dialog `ODlg`: title, the one filter, and the current directory. It
// never changes the process's current directory, so saves keep going there.
QString RunOpenDialog(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Загрузка данных карточки предприятия"), QDir::currentPath(),
                       QStringLiteral("Карточка предприятия (*.crd)"));
    dialog.setObjectName(QStringLiteral("ODlg"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString ChooseCardFile(QWidget* parent) { return Chooser() ? Chooser()(parent) : RunOpenDialog(parent); }

void SetCardFileChooser(CardFileChooser chooser) { Chooser() = std::move(chooser); }
