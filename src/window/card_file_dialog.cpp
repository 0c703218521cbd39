#include "window/card_file_dialog.h"

#include <algorithm>

#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeView>

namespace {

CardFileChooser& Chooser()
{
    static CardFileChooser chooser;
    return chooser;
}

// Card names run to about 70 characters and differ mostly in the middle (the
// same "ООО …" and the same period at the end): the dialog lists files with
// their details and opens wide enough to show such a name whole.
void ShowWholeNames(QFileDialog& dialog)
{
    const QString longName
        = QStringLiteral("11_Общество с ограниченной ответственностью «Ромашка-Лютик»_2014_Годовой.crd");
    const int nameWidth = QFontMetrics(dialog.font()).horizontalAdvance(longName) + 48; // icon and margins
    dialog.setViewMode(QFileDialog::Detail);
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        files->header()->resizeSection(0, nameWidth);
    dialog.resize(std::max(dialog.width(), nameWidth + 420), std::max(dialog.height(), 440));
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
    ShowWholeNames(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString ChooseCardFile(QWidget* parent) { return Chooser() ? Chooser()(parent) : RunOpenDialog(parent); }

void SetCardFileChooser(CardFileChooser chooser) { Chooser() = std::move(chooser); }
