#include "window/workplace_pages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "widgets/field_captions.h"
#include "widgets/form_layout.h"
#include "widgets/key_filters.h"
#include "window/workplace_fields.h"

using namespace workplaces;

namespace {

constexpr int kCountWidth = 64;
// Room between a frame and the fields inside it, and between two frames.
constexpr int kFramePadding = 4;
constexpr int kFrameDistance = 14;
constexpr int kRowGap = 6;

// Grid columns: padding, then caption/edit/unit of the total column, a gap,
// caption/edit/unit of the period column, padding.
constexpr int kPadLeft = 0;
constexpr int kGap = 4;
constexpr int kPadRight = 8;
constexpr int kColumnCount = 9;
int CaptionColumn(int side) { return side == Total ? 1 : 5; }
int EditColumn(int side) { return CaptionColumn(side) + 1; }
int UnitColumn(int side) { return CaptionColumn(side) + 2; }

QLineEdit* MakeCountEdit(const QString& name, QWidget* parent)
{
    QLineEdit* edit = MakeLineEdit(name, QStringLiteral("0"), kCountWidth, parent);
    InstallDigitsOnly(edit);
    return edit;
}

QLabel* CountCaption(const QString& text, QLineEdit* edit, bool indented, QWidget* parent)
{
    QLabel* caption = MakeCaption(nullptr, text, parent);
    caption->setObjectName(QStringLiteral("lbl") + edit->objectName());
    caption->setBuddy(edit);
    if (indented)
        caption->setIndent(20);
    caption->setContentsMargins(0, kRowGap / 2, 0, kRowGap / 2);
    return caption;
}

QLabel* Heading(int side, QWidget* parent)
{
    QLabel* heading = MakeCaption(nullptr, SideHeading(side), parent, false);
    heading->setObjectName(side == Total ? QStringLiteral("lblTotalHeading") : QStringLiteral("lblPeriodHeading"));
    QFont font = heading->font();
    font.setBold(true);
    font.setItalic(true);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    return heading;
}

} // namespace

WorkplacePage::WorkplacePage(int pageIndex, QWidget* parent)
    : QWidget(parent)
    , pageIndex_(pageIndex)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    grid->setColumnMinimumWidth(kPadLeft, 4);
    grid->setColumnMinimumWidth(kGap, 14);
    grid->setColumnMinimumWidth(kPadRight, 4);
    for (int side : {Total, Period})
        grid->setColumnStretch(CaptionColumn(side), 1);

    int row = 0;
    for (int side : {Total, Period})
        grid->addWidget(Heading(side, this), row, CaptionColumn(side), 1, 3);
    ++row;

    // Each class is a framed block: its total column beside its period column.
    const std::vector<int> classes = ClassesOnPage(pageIndex);
    std::vector<std::vector<QLineEdit*>> editsBySide(kSideCount);
    for (int classIndex : classes) {
        GapRow(grid, row++, kFrameDistance);
        const int frameTop = row;
        GapRow(grid, row++, kFramePadding);
        for (int quantity = 0; quantity < kQuantityCount; ++quantity, ++row) {
            for (int side : {Total, Period}) {
                const CountField& field = CountFieldAt(classIndex, side, quantity);
                QLineEdit* edit = MakeCountEdit(QString::fromStdString(field.name), this);
                const bool indented = quantity >= Women;
                grid->addWidget(CountCaption(field.label, edit, indented, this), row, CaptionColumn(side));
                grid->addWidget(edit, row, EditColumn(side), Qt::AlignVCenter);
                grid->addWidget(MakeCaption(nullptr, field.unit, this, false), row, UnitColumn(side));
                editsBySide[side].push_back(edit);
                // Rows keep their distance even where wrapped captions make the
                // grid size them by height-for-width.
                grid->setRowMinimumHeight(row, edit->sizeHint().height() + kRowGap);
            }
        }
        GapRow(grid, row++, kFramePadding);
        FrameBehind(grid, frameTop, kPadLeft, row - frameTop, kColumnCount);
    }

    // Tab runs down every total field of the page, then every period field.
    QList<QWidget*> chain;
    for (int side : {Total, Period})
        for (QLineEdit* edit : editsBySide[side])
            chain.append(edit);

    if (pageIndex == PageOfClass(kClassCount - 1)) {
        // The number trained, framed across the whole page under the class 4 block.
        GapRow(grid, row++, kFrameDistance);
        const int frameTop = row;
        GapRow(grid, row++, kFramePadding);
        QLineEdit* educ = MakeCountEdit(QString::fromLatin1(kTrainedName), this);
        grid->addWidget(CountCaption(TrainedLabel(), educ, false, this), row, CaptionColumn(Total), 1,
                        EditColumn(Period) - CaptionColumn(Total));
        grid->addWidget(educ, row, EditColumn(Period), Qt::AlignVCenter);
        grid->addWidget(MakeCaption(nullptr, UnitText(kTrainedName), this, false), row, UnitColumn(Period));
        ++row;
        GapRow(grid, row++, kFramePadding);
        FrameBehind(grid, frameTop, kPadLeft, row - frameTop, kColumnCount);
        chain.append(educ);
    }
    grid->setRowStretch(row, 1);

    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

QString WorkplacePage::caption(int pageIndex)
{
    switch (pageIndex) {
    case 3: return QStringLiteral("класс 1, 2");
    case 4: return QStringLiteral("класс 3.1, 3.2");
    case 5: return QStringLiteral("класс 3.3, 3.4");
    default: return QStringLiteral("класс 4, обучено");
    }
}
