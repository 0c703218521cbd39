#pragma once
// The frequency rate Кч by district, the chosen year beside the year before,
// as grouped horizontal bars (a district's name reads whole beside its
// bars), with a legend and a scale. Drawn with QPainter into any rectangle of
// any paint device: the window's tab and the report's page draw the same.
#include <QWidget>

#include "register/register_indicators.h"

class QPainter;
class QPaintDevice;

// The figure the chart shows: the definition whose sign is "Кч".
const reg::IndicatorDefinition& ChartedIndicator();

// Draws the chart of `table` into `area`, in the painter's font: a district
// (and the total, last) is two bars, its figure beside each; a figure that
// is not defined («—») is shown as that sign without a bar.
void DrawIndicatorChart(QPainter& painter, const QRectF& area, const reg::IndicatorTable& table);

// The height the chart of `table` reads well in, in `font` on `device` (the
// screen when none).
qreal IndicatorChartHeight(const reg::IndicatorTable& table, const QFont& font, QPaintDevice* device);

// The chart as a widget for the window's «Показатели» tab.
class IndicatorChart : public QWidget {
    Q_OBJECT
public:
    explicit IndicatorChart(QWidget* parent = nullptr);
    explicit IndicatorChart(const reg::IndicatorTable& table, QWidget* parent = nullptr);

    void setTable(const reg::IndicatorTable& table);
    const reg::IndicatorTable& table() const { return table_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    reg::IndicatorTable table_;
};
