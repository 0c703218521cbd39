#pragma once
// Small pieces for laying pages out like a paper form: captions that wrap,
// fixed-width fields, and frames drawn behind a block of grid rows so that the
// fields inside a frame stay aligned with those outside it.
#include <QFrame>
#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// A caption; `wrap` lets a long text run over several lines.
QLabel* MakeCaption(const char* name, const QString& text, QWidget* parent, bool wrap = true);
// A single-line edit with its default text.
QLineEdit* MakeLineEdit(const QString& name, const QString& text, int width, QWidget* parent);

// A frame behind the grid cells from (row, column) spanning rowSpan x columnSpan.
// Leave an empty column at either side and an empty row above and below the
// block inside it so the frame does not touch its fields.
QFrame* FrameBehind(QGridLayout* grid, int row, int column, int rowSpan, int columnSpan,
                    QFrame::Shadow shadow = QFrame::Sunken, QFrame::Shape shape = QFrame::Box);
// An empty grid row of `height` pixels (padding inside and between frames).
void GapRow(QGridLayout* grid, int row, int height);
