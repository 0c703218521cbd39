#include "register_report/register_report.h"

#include <algorithm>
#include <tuple>

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <QTextDocument>
#include <QTextObjectInterface>

#include "card/card_captions.h"
#include "print/print_preview.h"
#include "register/register_indicators.h"
#include "register_report/indicator_chart.h"

namespace {

constexpr int kBodyPoints = 8;
const QString kTitle = QStringLiteral("Отчёт о состоянии охраны труда");
// The chart is the report's one image: the HTML places it, the document's
// image handler (ChartObject) draws it.
const QString kChartImage = QStringLiteral("<img src=\"chart\">");

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString Html(const std::string& utf8) { return Text(utf8).toHtmlEscaped(); }

QString Heading(const QString& text)
{
    return QStringLiteral("<p style=\"margin-top:10px; margin-bottom:3px; font-size:10pt; font-weight:bold\">") + text
        + QStringLiteral("</p>");
}

QString Note(const QString& text)
{
    return QStringLiteral("<p style=\"margin-top:0; margin-bottom:3px\">") + text + QStringLiteral("</p>");
}

// Each cell draws its own solid border. Collapsed borders, as on the printed
// card, make Qt look up the neighbouring cells for every edge it draws, which
// doubled the time of a report with long lists.
QString TableStart()
{
    return QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                          "style=\"border-style:solid; border-color:#000000\">");
}

QString Cell(const QString& text, const QString& attributes = QString())
{
    return QStringLiteral("<td ") + attributes + QLatin1Char('>') + text + QStringLiteral("</td>");
}

QString Number(const QString& text) { return Cell(text, QStringLiteral("align=\"right\"")); }

// The title row of a table, repeated on every page the table runs onto.
QString TitleRow(const std::vector<std::pair<QString, int>>& columns)
{
    QString html = QStringLiteral("<thead><tr>");
    for (const auto& [title, percent] : columns)
        html += QStringLiteral("<th bgcolor=\"#e8e8e8\" width=\"%1%\">").arg(percent) + title + QStringLiteral("</th>");
    return html + QStringLiteral("</tr></thead>");
}

QString EmptyRow(int columns)
{
    return QStringLiteral("<tr>") + Cell(QStringLiteral("нет"), QStringLiteral("colspan=\"%1\"").arg(columns))
        + QStringLiteral("</tr>");
}

// "за 2014 год", "за 1 полугодие 2014 года".
QString PeriodWords(reg::YearPeriod period)
{
    return period.period == reg::kAnnual ? QStringLiteral("за %1 год").arg(period.year)
                                         : QStringLiteral("за 1 полугодие %1 года").arg(period.year);
}

// The rows of the chosen district(s), as the window's district filter picks them.
std::vector<const reg::RegisterRow*> ChosenRows(const ReportContents& contents)
{
    reg::RegisterFilter filter;
    filter.district = contents.district;
    std::vector<const reg::RegisterRow*> chosen;
    for (const reg::RegisterRow* row : contents.rows)
        if (reg::Matches(*row, filter))
            chosen.push_back(row);
    return chosen;
}

// The counted cards of the report's year and period, by district, then name.
std::vector<const reg::RegisterRow*> CountedOfPeriod(const std::vector<const reg::RegisterRow*>& rows,
                                                     reg::YearPeriod period)
{
    std::vector<const reg::RegisterRow*> counted;
    for (const reg::RegisterRow* row : rows)
        if (row->summed() && reg::YearPeriod{row->year, row->period} == period)
            counted.push_back(row);
    std::stable_sort(counted.begin(), counted.end(), [](const reg::RegisterRow* a, const reg::RegisterRow* b) {
        return std::forward_as_tuple(reg::DistrictPlaceOf(a->districtCode), a->orgName)
            < std::forward_as_tuple(reg::DistrictPlaceOf(b->districtCode), b->orgName);
    });
    return counted;
}

// "Районы: <b>…</b>", or "Район: <b>…</b>" for one.
QString Districts(const reg::IndicatorTable& table)
{
    QStringList names;
    for (const reg::IndicatorRow& row : table.rows)
        if (row.district != reg::kIndicatorTotal)
            names << Html(row.district);
    return (names.size() == 1 ? QStringLiteral("Район: <b>") : QStringLiteral("Районы: <b>"))
        + (names.isEmpty() ? QStringLiteral("нет карточек") : names.join(QStringLiteral(", ")))
        + QStringLiteral("</b>");
}

QString TitleBlock(const ReportContents& contents, const reg::IndicatorTable& table)
{
    return QStringLiteral("<p align=\"center\" style=\"font-size:15pt; font-weight:bold; margin-top:0; "
                          "margin-bottom:2px\">")
        + kTitle + QStringLiteral("</p><p align=\"center\" style=\"font-size:11pt; margin-top:0; margin-bottom:2px\">")
        + PeriodWords(contents.period)
        + QStringLiteral("</p><p align=\"center\" style=\"margin-top:0; margin-bottom:2px\">") + Districts(table)
        + QStringLiteral("</p>")
        + QStringLiteral("<p align=\"center\" style=\"margin-top:0; margin-bottom:6px\">Дата составления: ")
        + contents.print.printedOn.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral("</p>");
}

// What the report holds, in the lines every export has above its sheets:
// folders, filter, year and period, the office's list, date, program.
QString AboutBlock(const ReportContents& contents)
{
    reg::ExportInfo info = contents.info;
    info.period = contents.period;
    QString html = TableStart();
    for (const std::string& line : reg::AboutLines(info)) {
        const std::size_t colon = line.find(": ");
        const std::string label = colon == std::string::npos ? std::string() : line.substr(0, colon);
        const std::string value = colon == std::string::npos ? line : line.substr(colon + 2);
        html += QStringLiteral("<tr>") + Cell(Html(label), QStringLiteral("width=\"22%\"")) + Cell(Html(value))
            + QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString ChangeText(const reg::IndicatorDefinition& definition, const reg::IndicatorRow& row)
{
    const std::optional<double> change = reg::IndicatorChange(definition, row.current, row.previous);
    QString text = Text(reg::IndicatorText(change, definition.decimals));
    if (change && !text.startsWith(QLatin1Char('-')) && text.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        text.prepend(QLatin1Char('+'));
    return text;
}

QString IndicatorTableHtml(const reg::IndicatorTable& table, const reg::IndicatorRow& row)
{
    QString html = TableStart()
        + TitleRow({{QStringLiteral("Показатель"), 52},
                    {Html(reg::YearPeriodText(table.current)), 16},
                    {Html(reg::YearPeriodText(table.previous)), 16},
                    {QStringLiteral("Изменение"), 16}});
    for (const reg::IndicatorDefinition& definition : reg::IndicatorDefinitions()) {
        QString name = Html(definition.header);
        if (*definition.sign)
            name += QStringLiteral(", ") + Html(definition.sign);
        html += QStringLiteral("<tr>") + Cell(name)
            + Number(Text(reg::IndicatorText(definition.value(row.current), definition.decimals)))
            + Number(Text(reg::IndicatorText(definition.value(row.previous), definition.decimals)))
            + Number(ChangeText(definition, row)) + QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString IndicatorBlock(const reg::IndicatorTable& table)
{
    const reg::IndicatorRow& total = table.rows.back();
    QString html = Heading(QStringLiteral("Показатели: все районы отчёта"))
        + Note(QStringLiteral("Учтены карточки без повторов; «—» — показатель не определён (делитель равен нулю)."))
        + IndicatorTableHtml(table, total);
    // One district's figures are the total's.
    if (table.rows.size() > 2)
        for (const reg::IndicatorRow& row : table.rows)
            if (&row != &total)
                html += Heading(QStringLiteral("Показатели: ") + Html(row.district)) + IndicatorTableHtml(table, row);
    return html;
}

QString ChartBlock()
{
    return Heading(QStringLiteral("Коэффициент частоты Кч по районам"))
        + QStringLiteral("<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td>")
        + kChartImage + QStringLiteral("</td></tr></table>");
}

QString EnterpriseList(const QString& title, const std::vector<const reg::RegisterRow*>& rows, bool headcount)
{
    std::vector<std::pair<QString, int>> columns
        = {{QStringLiteral("Район"), 19}, {QStringLiteral("Предприятие"), 29}, {QStringLiteral("ИНН"), 14}};
    if (headcount)
        columns.push_back({QStringLiteral("Работников"), 13});
    columns.push_back({QStringLiteral("Файл"), headcount ? 25 : 38});
    QString html = Heading(title + QStringLiteral(": %1").arg(rows.size())) + TableStart() + TitleRow(columns);
    for (const reg::RegisterRow* row : rows) {
        html += QStringLiteral("<tr>") + Cell(Html(reg::DistrictLabel(row->districtCode)))
            + Cell(Html(row->legalForm.empty() ? row->orgName : row->legalForm + " " + row->orgName))
            + Cell(Html(row->inn));
        if (headcount)
            html += Number(QString::number(row->headcount));
        html += Cell(Html(row->file)) + QStringLiteral("</tr>");
    }
    if (rows.empty())
        html += EmptyRow(static_cast<int>(columns.size()));
    return html + QStringLiteral("</table>");
}

QString SubmissionList(const QString& title, const std::vector<reg::SubmissionEntry>& entries)
{
    const std::vector<std::pair<QString, int>> columns = {{QStringLiteral("Район"), 19},
                                                          {QStringLiteral("Предприятие"), 33},
                                                          {QStringLiteral("ИНН"), 14},
                                                          {QStringLiteral("Последняя карточка"), 34}};
    QString html = Heading(title + QStringLiteral(": %1").arg(entries.size())) + TableStart() + TitleRow(columns);
    for (const reg::SubmissionEntry& entry : entries)
        html += QStringLiteral("<tr>") + Cell(Html(entry.district)) + Cell(Html(entry.name)) + Cell(Html(entry.inn))
            + Cell(Html(entry.lastFile)) + QStringLiteral("</tr>");
    if (entries.empty())
        html += EmptyRow(static_cast<int>(columns.size()));
    return html + QStringLiteral("</table>");
}

QString SubmissionsBlock(const ReportContents& contents)
{
    const reg::SubmissionLists lists = reg::InDistrict(contents.submissions, contents.district);
    const QString against = lists.byReference
        ? QStringLiteral("по списку предприятий")
        : QStringLiteral("по карточкам за ") + Html(reg::YearPeriodText(lists.previous));
    return SubmissionList(QStringLiteral("Не сдали карточку за ") + Html(reg::YearPeriodText(lists.current))
                              + QStringLiteral(" (") + against + QLatin1Char(')'),
                          lists.notHandedIn)
        + SubmissionList(QStringLiteral("Новые (") + against + QStringLiteral(", их не было)"), lists.newOnes);
}

QString ListsBlock(const std::vector<const reg::RegisterRow*>& counted)
{
    std::vector<const reg::RegisterRow*> noService, noAssessment;
    for (const reg::RegisterRow* row : counted) {
        if (reg::Over50WithoutService(*row))
            noService.push_back(row);
        if (reg::WithoutAssessment(*row))
            noAssessment.push_back(row);
    }
    return EnterpriseList(QStringLiteral("Более 50 работников, нет службы охраны труда"), noService, true)
        + EnterpriseList(QStringLiteral("Специальная оценка условий труда не проведена"), noAssessment, false);
}

QString FilesBlock(const ReportContents& contents, const std::vector<const reg::RegisterRow*>& chosen)
{
    const reg::ReadingCounts all = reg::CountRows(contents.rows);
    std::vector<const reg::RegisterRow*> ofPeriod;
    for (const reg::RegisterRow* row : chosen)
        if (row->read() && reg::YearPeriod{row->year, row->period} == contents.period)
            ofPeriod.push_back(row);
    const reg::ReadingCounts period = reg::CountRows(ofPeriod);
    const auto line = [](const QString& label, const QString& whole, const QString& part) {
        return QStringLiteral("<tr>") + Cell(label) + Number(whole) + Number(part) + QStringLiteral("</tr>");
    };
    const auto n = [](int value) { return QString::number(value); };
    return Heading(QStringLiteral("Файлы карточек")) + TableStart()
        + TitleRow({{QStringLiteral("Файлы"), 52},
                    {QStringLiteral("Во всех папках"), 24},
                    {Html(reg::YearPeriodText(contents.period)) + QStringLiteral(", районы отчёта"), 24}})
        + line(QStringLiteral("Прочитано карточек"), n(all.read), n(period.read))
        + line(QStringLiteral("Не прочитано файлов"), n(all.refused), Text(reg::kNoValue))
        + line(QStringLiteral("С ошибками (учтены как есть)"), n(all.faulty), n(period.faulty))
        + line(QStringLiteral("Повторы (та же карточка в нескольких файлах)"), n(all.repeats), n(period.repeats))
        + line(QStringLiteral("Из них не учтены"), n(all.notCounted), n(period.notCounted))
        + QStringLiteral("</table>");
}

// Draws the chart where the document holds its image: in vectors on a
// printer or PDF writer, as wide as the page.
class ChartObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    ChartObject(const reg::IndicatorTable& table, QObject* parent)
        : QObject(parent)
        , table_(table)
    {
    }

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat&) override
    {
        // The table cell holding the chart is as wide as the page, less a
        // little the layout keeps for borders.
        return {0.98 * document->textWidth(),
                IndicatorChartHeight(table_, PrintFont(kBodyPoints), document->documentLayout()->paintDevice())};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override
    {
        painter->save();
        painter->setFont(PrintFont(kBodyPoints));
        DrawIndicatorChart(*painter, rect, table_);
        painter->restore();
    }

private:
    reg::IndicatorTable table_;
};

QPageLayout ReportPageLayout() { return PrintPageLayout(); }

QString WriteFailure(const QString& path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("нет папки ") + QDir::toNativeSeparators(folder.absoluteFilePath());
    if (file.isDir())
        return QStringLiteral("это имя папки");
    if (file.exists() && !file.isWritable())
        return QStringLiteral("файл защищён от записи");
    if (!folder.isWritable())
        return QStringLiteral("нет права записи в папку");
    return QStringLiteral("файл не удалось создать (возможно, он открыт в другой программе)");
}

} // namespace

std::unique_ptr<QTextDocument> RegisterReportDocument(const ReportContents& contents)
{
    const std::vector<const reg::RegisterRow*> chosen = ChosenRows(contents);
    const reg::IndicatorTable table = reg::ComputeIndicators(chosen, contents.period);
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(PrintFont(kBodyPoints));
    document->setDocumentMargin(0);
    // The handler of the document's images draws the chart (the HTML holds
    // no other image); placing it while the HTML is read spares an edit of
    // the document afterwards, which would lay it all out once more.
    document->documentLayout()->registerHandler(QTextFormat::ImageObject, new ChartObject(table, document.get()));
    document->setHtml(QStringLiteral("<html><body>") + TitleBlock(contents, table) + AboutBlock(contents)
                      + IndicatorBlock(table) + ChartBlock() + SubmissionsBlock(contents)
                      + ListsBlock(CountedOfPeriod(chosen, contents.period)) + FilesBlock(contents, chosen)
                      + QStringLiteral("</body></html>"));
    return document;
}

int PrintRegisterReport(const ReportContents& contents, QPagedPaintDevice& device)
{
    std::unique_ptr<QTextDocument> document = RegisterReportDocument(contents);
    return PrintPagedDocument(*document, contents.print, device);
}

bool WriteRegisterReportPdf(const ReportContents& contents, const QString& path, QString* error)
{
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Не удалось записать отчёт ") + QDir::toNativeSeparators(path)
                + QStringLiteral(": ") + reason;
        return false;
    };
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return fail(QStringLiteral("отчёт записывается только в файл PDF (.pdf)"));
    // Tried first, so that a file that cannot be written is told apart
    // before Qt's PDF writer fails with a warning of its own.
    if (QFile probe(path); !probe.open(QIODevice::WriteOnly))
        return fail(WriteFailure(path));
    {
        QPdfWriter writer(path);
        writer.setTitle(kTitle);
        writer.setCreator(contents.print.program);
        writer.setResolution(300);
        writer.setPageLayout(ReportPageLayout());
        if (PrintRegisterReport(contents, writer) > 0)
            return true;
    }
    return fail(WriteFailure(path));
}

reg::ReportWriter RegisterReportWriter(const PrintInfo& print)
{
    return [print](const reg::ReportInput& input, const std::string& path) {
        const ReportContents contents{reg::Pointers(input.rows), input.period, std::nullopt,
                                      input.submissions,         input.info,   print};
        QString error;
        return WriteRegisterReportPdf(contents, QString::fromStdString(path), &error) ? std::string()
                                                                                      : error.toStdString();
    };
}

QString RegisterReportPdfName(const ReportContents& contents)
{
    return QStringLiteral("Отчёт ") + Text(reg::YearPeriodText(contents.period)).remove(QLatin1Char(','))
        + QStringLiteral(".pdf");
}

void ShowRegisterReportPreview(QWidget* parent, const ReportContents& contents, const QString& pdfPath)
{
    const QString folder = contents.info.folders.empty() ? QDir::currentPath() : Text(contents.info.folders.front());
    PrintPreview preview;
    preview.objectName = QStringLiteral("ReportPreview");
    preview.title = kTitle;
    preview.documentName = RegisterReportPdfName(contents);
    preview.creator = contents.print.program;
    preview.pageLayout = ReportPageLayout();
    preview.paint = [&contents](QPrinter& printer) { PrintRegisterReport(contents, printer); };
    preview.pdfDialogTitle = QStringLiteral("Сохранение отчёта в PDF");
    preview.offeredPdf = pdfPath.isEmpty() ? QDir(folder).filePath(RegisterReportPdfName(contents)) : pdfPath;
    preview.writePdf = [&contents](const QString& path) {
        QString error;
        return WriteRegisterReportPdf(contents, path, &error) ? QString() : error;
    };
    ShowPrintPreview(parent, preview);
}

#include "register_report.moc"
