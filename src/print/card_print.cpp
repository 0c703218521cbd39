#include "print/card_print.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

#include "card/card_captions.h"
#include "card/card_file_store.h"
#include "card/card_record.h"
#include "card/workplace_counts.h"

namespace {

constexpr int kBodyPoints = 8;

// The fields of the enterprise block, in the order of the form.
constexpr std::string_view kEnterpriseFields[]
    = {"LegalForm", "OrgName", "Inn", "OkvedCode", "HeadPosition", "HeadName", "Settlement", "PostalAddress"};
// The indicators run in the record as on the state page, from the headcount
// to the expertise date.
constexpr std::string_view kFirstIndicator = "AvgHeadcount";
constexpr std::string_view kLastIndicator = "ExpertiseDate";
// Column titles of the workplace table, short forms of the captions of the
// window's count rows (which are sentences); "до 18" stays on one line.
constexpr std::string_view kQuantityTitles[card::kWorkplaceQuantityCount]
    = {"рабочих мест", "работников", "из них женщин", "до\u00a018 лет", "инвалидов"};

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QString Html(std::string_view utf8) { return Text(utf8).toHtmlEscaped(); }

// A window caption as a form label: no required-field star, no trailing
// colon or spaces, a capital first letter.
QString FormLabel(std::string_view caption)
{
    QString label = Text(caption).trimmed();
    if (label.endsWith(QLatin1Char('*')))
        label.chop(1);
    label = label.trimmed();
    if (label.endsWith(QLatin1Char(':')))
        label.chop(1);
    if (!label.isEmpty())
        label[0] = label[0].toUpper();
    return label.toHtmlEscaped();
}

QString FieldLabel(const card::CardField& field) { return FormLabel(card::CaptionOf(field.control).caption); }

QString YesNo(std::uint8_t stored)
{
    // A stored value beyond the last item shows the last item, as in the window.
    return Html(card::kYesNoItems[std::min<int>(stored, 1)]);
}

// The value of an indicator or enterprise field as the form shows it.
QString FieldValue(const card::TCardRec& card, const card::CardField& field)
{
    using card::Conversion;
    switch (field.conversion) {
    case Conversion::Int32Edit: return QString::number(card.int32(field));
    case Conversion::RadioByte: return YesNo(card.byte(field));
    case Conversion::Date:
        // The date belongs to its answer: without "Да" there is no date.
        if (card.byte(field.shownWhenYes) == 0)
            return {};
        return Html(card.text(field));
    case Conversion::ActivityCode: {
        QString value = Html(card.text(field));
        const std::string_view source = card::ClassifierSourceCaption(card.byte("OkvedSource"));
        if (!source.empty()) {
            QString caption = Html(source);
            caption[0] = caption[0].toLower();
            value += QStringLiteral(" (") + caption + QLatin1Char(')');
        }
        return value;
    }
    default: return Html(card.text(field));
    }
}

QString Section(const QString& title)
{
    return QStringLiteral("<p style=\"margin-top:8px; margin-bottom:3px; font-size:10pt; font-weight:bold\">") + title
        + QStringLiteral("</p>");
}

QString TableStart()
{
    return QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                          "style=\"border-collapse:collapse; border-color:#000000\">");
}

QString Cell(const QString& text, const QString& attributes = QString())
{
    return QStringLiteral("<td ") + attributes + QLatin1Char('>') + text + QStringLiteral("</td>");
}

QString HeaderCell(const QString& text, const QString& attributes = QString())
{
    return QStringLiteral("<th bgcolor=\"#e8e8e8\" ") + attributes + QLatin1Char('>') + text + QStringLiteral("</th>");
}

// "Caption: <b>value</b>" of the heading line.
QString HeadingItem(std::string_view control, const QString& value)
{
    return FormLabel(card::CaptionOf(control).caption) + QStringLiteral(": <b>") + value + QStringLiteral("</b>");
}

QString Heading(const card::TCardRec& card)
{
    const int district = card::DistrictIndexFromCode(card.int32("DistrictCode"));
    const QString districtName = district < 0 ? QString() : Html(card::kDistrictNames[district]);
    const QString period = Text(card::kReportPeriodItems[std::min<int>(card.byte("ReportPeriod"), 1)]).trimmed();
    const QString gap = QStringLiteral("&nbsp;&nbsp;&nbsp; ");
    return QStringLiteral("<p align=\"center\" style=\"font-size:15pt; font-weight:bold; margin-top:0; "
                          "margin-bottom:4px\">")
        + Html(card::kCardSignature)
        + QStringLiteral("</p><p align=\"center\" style=\"font-size:9pt; margin-top:0; margin-bottom:4px\">")
        + HeadingItem("CombRn", districtName) + gap + HeadingItem("EdYear", QString::number(card.int32("ReportYear")))
        + gap + HeadingItem("RGrpPeriod", period.toHtmlEscaped()) + QStringLiteral("</p>");
}

// Label and value rows; `withUnits` adds a third column for the unit.
QString LabelRow(const QString& label, const QString& value, const QString& unit, bool withUnits)
{
    QString row = QStringLiteral("<tr>") + Cell(label, QStringLiteral("width=\"68%\""));
    if (withUnits)
        row += Cell(QStringLiteral("<b>") + value + QStringLiteral("</b>"), QStringLiteral("width=\"20%\""))
            + Cell(unit.toHtmlEscaped(), QStringLiteral("width=\"12%\""));
    else
        row += Cell(QStringLiteral("<b>") + value + QStringLiteral("</b>"));
    return row + QStringLiteral("</tr>");
}

// Caption, value and unit of a number or an answer.
QString IndicatorRow(const card::TCardRec& card, const card::CardField& field)
{
    return LabelRow(FieldLabel(field), FieldValue(card, field), Text(card::CaptionOf(field.control).unit), true);
}

QString EnterpriseBlock(const card::TCardRec& card)
{
    QString html = Section(QStringLiteral("Сведения о предприятии")) + TableStart();
    for (std::string_view name : kEnterpriseFields) {
        const card::CardField& field = card::Field(name);
        html += LabelRow(FieldLabel(field), FieldValue(card, field), QString(), false);
    }
    return html + QStringLiteral("</table>");
}

// The used slots of a contact or staff array as a table with a numbered first column.
template <std::size_t Columns>
QString SlotTable(const card::TCardRec& card, std::string_view fieldName,
                  const std::array<std::string_view, Columns>& titles, const int (&percent)[Columns])
{
    const card::CardField& array = card::Field(fieldName);
    QString html = TableStart() + QStringLiteral("<thead><tr>") + HeaderCell(QStringLiteral("№"));
    for (std::size_t c = 0; c < Columns; ++c)
        html += HeaderCell(Html(titles[c]), QStringLiteral("width=\"%1%\"").arg(percent[c]));
    html += QStringLiteral("</tr></thead>");
    int number = 0;
    for (int slot = 0; slot < array.length; ++slot) {
        if (!card.slotUsed(array, slot))
            continue;
        html += QStringLiteral("<tr>") + Cell(QString::number(++number), QStringLiteral("align=\"right\""));
        for (std::size_t c = 0; c < Columns; ++c)
            html += Cell(Html(card.slotText(array, slot, static_cast<int>(c))));
        html += QStringLiteral("</tr>");
    }
    if (number == 0)
        html += QStringLiteral("<tr>") + Cell(QStringLiteral("—"))
            + Cell(QStringLiteral("нет"), QStringLiteral("colspan=\"%1\"").arg(Columns)) + QStringLiteral("</tr>");
    return html + QStringLiteral("</table>");
}

QString ContactsBlock(const card::TCardRec& card)
{
    static const int percent[] = {30, 66};
    return Section(Html(card::kContactsCaption)) + SlotTable(card, "Contacts", card::kContactColumns, percent);
}

QString ServiceBlock(const card::TCardRec& card)
{
    static const int percent[] = {24, 22, 10, 10, 30};
    return Section(QStringLiteral("Служба охраны труда")) + QStringLiteral("<p style=\"margin:0\">")
        + HeadingItem("RGrpSot", YesNo(card.byte("HasOtService")))
        + QStringLiteral("</p><p style=\"margin-top:4px; margin-bottom:3px\">") + FormLabel(card::kStaffCaption)
        + QStringLiteral(":</p>") + SlotTable(card, "OtStaff", card::kStaffColumns, percent);
}

QString IndicatorsBlock(const card::TCardRec& card)
{
    QString html = Section(QStringLiteral("Состояние охраны труда")) + TableStart();
    const std::vector<card::CardField>& fields = card::CardFields();
    auto first = std::find_if(fields.begin(), fields.end(),
                              [](const card::CardField& f) { return f.name == kFirstIndicator; });
    for (auto it = first; it != fields.end(); ++it) {
        const card::CardField& field = *it;
        // The order number has no place in the window; it is shown only
        // when a loaded card brought one.
        const bool hidden = field.control == "EdNPrikaza" && card.text(field).empty();
        if (field.conversion != card::Conversion::None && !hidden)
            html += IndicatorRow(card, field);
        if (field.name == kLastIndicator)
            break;
    }
    return html + QStringLiteral("</table>");
}

QString WorkplaceBlock(const card::TCardRec& card)
{
    using namespace card;
    QString html = Section(QStringLiteral("Рабочие места по классам условий труда")) + TableStart()
        + QStringLiteral("<thead><tr>")
        + HeaderCell(QStringLiteral("Класс условий труда"), QStringLiteral("rowspan=\"2\" width=\"10%\""));
    for (int side = 0; side < kWorkplaceSideCount; ++side)
        html += HeaderCell(Html(WorkplaceSideHeading(side)),
                           QStringLiteral("colspan=\"%1\"").arg(kWorkplaceQuantityCount));
    html += QStringLiteral("</tr><tr>");
    for (int side = 0; side < kWorkplaceSideCount; ++side)
        for (int q = 0; q < kWorkplaceQuantityCount; ++q)
            html += HeaderCell(Html(kQuantityTitles[q]), QStringLiteral("width=\"9%\""));
    html += QStringLiteral("</tr></thead>");
    for (int c = 0; c < kWorkplaceClassCount; ++c) {
        html += QStringLiteral("<tr>") + Cell(Html(WorkplaceClassName(c)), QStringLiteral("align=\"center\""));
        for (int side = 0; side < kWorkplaceSideCount; ++side)
            for (int q = 0; q < kWorkplaceQuantityCount; ++q)
                html += Cell(QString::number(card.int32At(WorkplaceCountOffset(c, side, q))),
                             QStringLiteral("align=\"right\""));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");

    return html + QStringLiteral("<p style=\"margin:0\"></p>") + TableStart()
        + IndicatorRow(card, Field("TrainedCount")) + QStringLiteral("</table>");
}

QString SignatureBlock(const card::TCardRec& card)
{
    QString position = Html(card.text("HeadPosition"));
    if (position.isEmpty())
        position = QStringLiteral("Руководитель");
    return QStringLiteral("<p style=\"margin-top:16px; margin-bottom:0\"></p>"
                          "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\"><tr>")
        + Cell(position, QStringLiteral("width=\"38%\""))
        + Cell(QStringLiteral("______________________"), QStringLiteral("width=\"27%\" align=\"center\""))
        + Cell(Html(card.text("HeadName")), QStringLiteral("width=\"35%\"")) + QStringLiteral("</tr><tr>")
        + Cell(QString()) + Cell(QStringLiteral("<small>(подпись)</small>"), QStringLiteral("align=\"center\""))
        + Cell(QString())
        + QStringLiteral("</tr></table><p style=\"margin-top:10px; margin-bottom:0\">"
                         "Дата: «____» ________________ 20____ г.</p>");
}

} // namespace

std::unique_ptr<QTextDocument> CardDocument(const card::TCardRec& card)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(PrintFont(kBodyPoints));
    document->setDocumentMargin(0);
    document->setHtml(QStringLiteral("<html><body>") + Heading(card) + EnterpriseBlock(card) + ContactsBlock(card)
                      + ServiceBlock(card) + IndicatorsBlock(card) + WorkplaceBlock(card) + SignatureBlock(card)
                      + QStringLiteral("</body></html>"));
    return document;
}

int PrintCard(const card::TCardRec& card, const CardPrintInfo& info, QPagedPaintDevice& device)
{
    std::unique_ptr<QTextDocument> document = CardDocument(card);
    return PrintPagedDocument(*document, info, device);
}

bool WriteCardPdf(const card::TCardRec& card, const CardPrintInfo& info, const QString& path)
{
    QPdfWriter writer(path);
    writer.setTitle(Text(card::kCardSignature));
    writer.setCreator(info.program);
    writer.setResolution(300);
    writer.setPageLayout(CardPageLayout());
    return PrintCard(card, info, writer) > 0;
}

QPageLayout CardPageLayout() { return PrintPageLayout(); }
