#include "register_report/indicator_chart.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {

const QColor kCurrentColour(0x1f, 0x4e, 0x9c);
const QColor kPreviousColour(0x9d, 0xb9, 0xe0);
const QColor kGridColour(0xc8, 0xc8, 0xc8);

// Heights in lines of the font.
constexpr qreal kLegendLines = 1.8;
constexpr qreal kAxisLines = 2.8;
constexpr qreal kGroupLines = 2.6;
constexpr qreal kLeastGroupLines = 2.2;
constexpr int kMostTicks = 5;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The scale's step: 1, 2, 2.5 or 5 times a power of ten, so that at most
// kMostTicks steps cover `top`.
double ScaleStep(double top)
{
    if (!(top > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(top / kMostTicks)));
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (factor * power * kMostTicks >= top)
            return factor * power;
    return 10 * power;
}

// A tick's label: as many decimals as the step has (2,5 has one).
QString TickText(double value, double step)
{
    int decimals = 0;
    for (double s = step; decimals < 3 && std::abs(s - std::round(s)) > 1e-9; s *= 10)
        ++decimals;
    return Text(reg::IndicatorText(value, decimals));
}

struct Group {
    QString name;
    std::optional<double> current, previous;
    bool total = false;
};

std::vector<Group> Groups(const reg::IndicatorTable& table)
{
    const reg::IndicatorDefinition& shown = ChartedIndicator();
    std::vector<Group> groups;
    for (const reg::IndicatorRow& row : table.rows)
        groups.push_back({Text(row.district), shown.value(row.current), shown.value(row.previous),
                          row.district == reg::kIndicatorTotal});
    return groups;
}

void DrawLegend(QPainter& painter, const QRectF& area, const reg::IndicatorTable& table, qreal line)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    qreal x = area.left();
    const qreal swatch = 0.7 * line;
    const qreal y = area.top() + (kLegendLines - 1) * line / 2;
    const std::pair<QColor, QString> items[] = {{kCurrentColour, Text(reg::YearPeriodText(table.current))},
                                                {kPreviousColour, Text(reg::YearPeriodText(table.previous))}};
    for (const auto& [colour, text] : items) {
        painter.fillRect(QRectF(x, y + (line - swatch) / 2, swatch, swatch), colour);
        x += swatch + 0.4 * line;
        painter.drawText(QRectF(x, y, metrics.horizontalAdvance(text) + line, line), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
        x += metrics.horizontalAdvance(text) + 1.5 * line;
    }
}

} // namespace

const reg::IndicatorDefinition& ChartedIndicator()
{
    const std::vector<reg::IndicatorDefinition>& all = reg::IndicatorDefinitions();
    return *std::find_if(all.begin(), all.end(),
                         [](const reg::IndicatorDefinition& d) { return std::strcmp(d.sign, "Кч") == 0; });
}

qreal IndicatorChartHeight(const reg::IndicatorTable& table, const QFont& font, QPaintDevice* device)
{
    const qreal line = QFontMetricsF(font, device).height();
    return (kLegendLines + kAxisLines + kGroupLines * static_cast<qreal>(table.rows.size())) * line;
}

void DrawIndicatorChart(QPainter& painter, const QRectF& area, const reg::IndicatorTable& table)
{
    const std::vector<Group> groups = Groups(table);
    if (groups.empty())
        return;
    painter.save();
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal line = metrics.height();
    const qreal pixel = std::max(1.0, painter.device()->logicalDpiX() / 96.0);
    QFont bold = painter.font();
    bold.setBold(true);
    const QFont plain = painter.font();

    double top = 0;
    qreal nameWidth = 0;
    for (const Group& g : groups) {
        top = std::max({top, g.current.value_or(0), g.previous.value_or(0)});
        nameWidth
            = std::max(nameWidth, QFontMetricsF(g.total ? bold : plain, painter.device()).horizontalAdvance(g.name));
    }
    const double step = ScaleStep(top);
    const double end = std::max(step, std::ceil(top / step - 1e-9) * step);
    nameWidth = std::min(nameWidth + 0.8 * line, area.width() * 0.4);
    const qreal valueWidth = metrics.horizontalAdvance(Text(reg::IndicatorText(end, 2))) + 1.2 * line;
    const QRectF plot(area.left() + nameWidth, area.top() + kLegendLines * line,
                      std::max(line, area.width() - nameWidth - valueWidth),
                      std::max(line, area.height() - (kLegendLines + kAxisLines) * line));
    const qreal groupHeight = plot.height() / static_cast<qreal>(groups.size());
    const qreal bar = std::min(groupHeight * 0.4, 1.1 * line);

    painter.setPen(Qt::black);
    DrawLegend(painter, QRectF(plot.left(), area.top(), plot.width(), kLegendLines * line), table, line);

    // The scale: grid lines, their figures and what the figure is.
    for (int i = 0; i * step <= end + step / 1000; ++i) {
        const double value = i * step;
        const qreal x = plot.left() + plot.width() * value / end;
        painter.setPen(QPen(i == 0 ? QColor(Qt::black) : kGridColour, pixel));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - 2 * line, plot.bottom() + 0.2 * line, 4 * line, line), Qt::AlignCenter,
                         TickText(value, step));
    }
    painter.setPen(QPen(Qt::black, pixel));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    const reg::IndicatorDefinition& shown = ChartedIndicator();
    const QString caption = Text(std::string(shown.sign) + " = " + shown.how);
    painter.drawText(QRectF(area.left(), plot.bottom() + 1.4 * line, area.width(), line), Qt::AlignCenter,
                     metrics.elidedText(caption, Qt::ElideRight, area.width()));

    for (std::size_t i = 0; i < groups.size(); ++i) {
        const Group& g = groups[i];
        const qreal groupTop = plot.top() + groupHeight * static_cast<qreal>(i);
        const qreal middle = groupTop + groupHeight / 2;
        if (g.total && i > 0) {
            painter.setPen(QPen(kGridColour, pixel, Qt::DashLine));
            painter.drawLine(QPointF(area.left(), groupTop), QPointF(plot.right(), groupTop));
        }
        painter.setPen(Qt::black);
        painter.setFont(g.total ? bold : plain);
        const QRectF nameBox(area.left(), middle - line / 2, nameWidth - 0.5 * line, line);
        painter.drawText(
            nameBox, Qt::AlignRight | Qt::AlignVCenter,
            QFontMetricsF(painter.font(), painter.device()).elidedText(g.name, Qt::ElideRight, nameBox.width()));
        painter.setFont(plain);
        const std::pair<const std::optional<double>&, QColor> bars[]
            = {{g.current, kCurrentColour}, {g.previous, kPreviousColour}};
        for (int b = 0; b < 2; ++b) {
            const qreal y = middle - bar + b * bar;
            const std::optional<double>& value = bars[b].first;
            qreal x = plot.left();
            if (value) {
                x += plot.width() * std::max(0.0, *value) / end;
                painter.fillRect(QRectF(plot.left(), y, x - plot.left(), bar), bars[b].second);
            }
            painter.drawText(QRectF(x + 0.3 * line, y + (bar - line) / 2, valueWidth, line),
                             Qt::AlignLeft | Qt::AlignVCenter, Text(reg::IndicatorText(value, shown.decimals)));
        }
    }
    painter.restore();
}

IndicatorChart::IndicatorChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("IndicatorChart"));
}

IndicatorChart::IndicatorChart(const reg::IndicatorTable& table, QWidget* parent)
    : IndicatorChart(parent)
{
    setTable(table);
}

void IndicatorChart::setTable(const reg::IndicatorTable& table)
{
    table_ = table;
    updateGeometry();
    update();
}

QSize IndicatorChart::sizeHint() const
{
    return {640, static_cast<int>(std::ceil(IndicatorChartHeight(table_, font(), nullptr)))};
}

QSize IndicatorChart::minimumSizeHint() const
{
    const qreal line = QFontMetricsF(font()).height();
    const auto groups = static_cast<qreal>(std::max<std::size_t>(1, table_.rows.size()));
    return {420, static_cast<int>(std::ceil((kLegendLines + kAxisLines + kLeastGroupLines * groups) * line))};
}

void IndicatorChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal margin = QFontMetricsF(font()).height() / 2;
    DrawIndicatorChart(painter, QRectF(rect()).adjusted(margin, margin, -margin, -margin), table_);
}
