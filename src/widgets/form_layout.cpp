#include "widgets/form_layout.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

QLabel* MakeCaption(const char* name, const QString& text, QWidget* parent, bool wrap)
{
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit* MakeLineEdit(const QString& name, const QString& text, int width, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    return edit;
}

QFrame* FrameBehind(QGridLayout* grid, int row, int column, int rowSpan, int columnSpan, QFrame::Shadow shadow,
                    QFrame::Shape shape)
{
    auto* frame = new QFrame(grid->parentWidget());
    frame->setFrameShape(shape);
    frame->setFrameShadow(shadow);
    frame->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(frame, row, column, rowSpan, columnSpan);
    frame->lower(); // behind the fields that share its cells
    return frame;
}

void GapRow(QGridLayout* grid, int row, int height) { grid->setRowMinimumHeight(row, height); }
