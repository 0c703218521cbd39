#include "window/state_page.h"

#include <iterator>

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "card/card_file_store.h"
#include "card/card_layout.h"
#include "card/errors.h"
#include "card/record_form.h"
#include "widgets/date_picker.h"
#include "widgets/field_captions.h"
#include "widgets/field_colour.h"
#include "widgets/form_layout.h"
#include "widgets/key_filters.h"
#include "widgets/messages_qt.h"
#include "widgets/radio_group.h"
#include "window/record_controls.h"

namespace {

constexpr char kFatalAboveInjured[] = "Значение не верно!\n\r Всего пострадавших меньше чем со смертельным исходом!";

// Field widths, in pixels.
constexpr int kNumberWidth = 70;
constexpr int kYearWidth = 48;
constexpr int kYesNoWidth = 120;
constexpr int kDateWidth = kYesNoWidth;
// Room between a frame and the fields inside it.
constexpr int kFramePadding = 3;

// One edit of the page: the record field it shows (the layout table names its
// control), its text before a card is loaded and its width.
struct EditField {
    const char* field;
    const char* initial;
    int width;
};

// The page's edits, in tab order.
enum Edit { Year, Headcount, Injured, Fatal, Workdays, Spending, Registration, OrderNo, ConclusionNo };
constexpr EditField kEdits[] = {
    {"ReportYear", "2014", kYearWidth},         {"AvgHeadcount", "0", kNumberWidth},
    {"InjuredCount", "0", kNumberWidth},        {"FatalCount", "0", kNumberWidth},
    {"LostWorkdays", "0", kNumberWidth},        {"OtSpending", "0,0", kNumberWidth},
    {"AgreementRegistration", "", kYesNoWidth}, {"AssessmentOrderNo", "", kDateWidth},
    {"ExpertiseConclusionNo", "", kDateWidth},
};
static_assert(std::size(kEdits) == ConclusionNo + 1);

QLineEdit* MakeEdit(Edit which, QWidget* parent)
{
    const EditField& edit = kEdits[which];
    return MakeLineEdit(ControlName(edit.field), QString::fromUtf8(edit.initial), edit.width, parent);
}

QString SredstvHint()
{
    return QStringLiteral("ВНИМАНИЕ!!! \r\nЗначение в ТЫСЯЧАХ РУБЛЕЙ!\r\nСууму в рублях нужно разделить на "
                          "1000\r\nНапример:  Если затрачено 15 600 рублей, \r\nуказываем значение: "
                          "15,6\r\n\r\n");
}

// How many characters the card stores for the text of `edit`.
int StoredLength(const QLineEdit* edit) { return card::FieldOfControl(edit->objectName().toStdString()).length; }

// The caption of `field`, named after it ("lblEdYear") and tied to it as its buddy.
QLabel* CaptionFor(QWidget* field, QWidget* parent)
{
    QLabel* label = MakeCaption(nullptr, CaptionText(field->objectName().toStdString()), parent);
    label->setObjectName(QStringLiteral("lbl") + field->objectName());
    label->setBuddy(field);
    return label;
}

// The unit right of `field`.
QLabel* UnitLabel(QWidget* field, QWidget* parent, bool bold = false)
{
    QLabel* unit = MakeCaption(nullptr, UnitText(field->objectName().toStdString()), parent, false);
    if (bold) {
        QFont font = unit->font();
        font.setBold(true);
        unit->setFont(font);
    }
    return unit;
}

// A dependent edit takes input only while its group says "Да".
std::optional<QChar> OnlyWhenYes(const RadioGroup* group, QChar typed)
{
    if (group->itemIndex() == 0)
        return std::nullopt;
    return typed;
}

// Leaving a group or its dependent edit with "Нет" empties the edit.
void EmptyUnlessYes(const RadioGroup* group, QLineEdit* dependent)
{
    if (group->itemIndex() == 0)
        dependent->clear();
}

// Grid columns of both halves: padding, caption, field, unit, padding.
enum Column { PadLeft = 0, Caption = 1, Field = 2, Unit = 3, PadRight = 4, ColumnCount = 5 };

QGridLayout* MakeHalfGrid(QWidget* half, int captionMinimum)
{
    auto* grid = new QGridLayout(half);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->setColumnMinimumWidth(PadLeft, 4);
    grid->setColumnMinimumWidth(PadRight, 4);
    grid->setColumnMinimumWidth(Caption, captionMinimum);
    grid->setColumnStretch(Caption, 1);
    return grid;
}

// One caption + field (+ unit) row; a field without a unit may take the unit's column too.
void AddRow(QGridLayout* grid, int row, QLabel* caption, QWidget* field, QLabel* unit = nullptr)
{
    grid->addWidget(caption, row, Caption);
    if (unit) {
        grid->addWidget(field, row, Field, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(unit, row, Unit);
    } else {
        grid->addWidget(field, row, Field, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QFrame* MakeHalfFrame(QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

} // namespace

StatePage::StatePage(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(buildLeftHalf(), 54);
    layout->addWidget(buildRightHalf(), 46);
    wireHandlers();
    setTabChain();
}

QWidget* StatePage::buildLeftHalf()
{
    QFrame* half = MakeHalfFrame(this);
    half->setObjectName(QStringLiteral("StateLeftHalf"));
    QGridLayout* grid = MakeHalfGrid(half, 200);

    EdYear = MakeEdit(Year, half);
    EdYear->setMaxLength(4);
    // The card file's name carries these item texts, so they come from the card core.
    RGrpPeriod = new RadioGroup(
        ControlName("ReportPeriod"),
        {QString::fromUtf8(card::kReportPeriodItems[0]), QString::fromUtf8(card::kReportPeriodItems[1])}, 1, half);
    Edsrsp = MakeEdit(Headcount, half);
    Ed1den = MakeEdit(Injured, half);
    Ed1den_Dead = MakeEdit(Fatal, half);
    Eddney = MakeEdit(Workdays, half);
    EdSredstv = MakeEdit(Spending, half);
    EdSredstv->setToolTip(SredstvHint());
    RGRpDog = MakeYesNoGroup(ControlName("HasCollectiveAgreement"), half);
    EdNomDatUR = MakeEdit(Registration, half);
    EdNomDatUR->setMaximumWidth(QWIDGETSIZE_MAX); // as wide as field and unit together
    // Two text lines high, as on the paper form.
    EdNomDatUR->setFixedHeight(2 * EdNomDatUR->sizeHint().height() - 4);
    RGrpUlutshenie = MakeYesNoGroup(ControlName("HasImprovementMeasures"), half);
    for (RadioGroup* group : {RGRpDog, RGrpUlutshenie})
        group->setMinimumWidth(kYesNoWidth);

    // Year and period, in a raised frame of their own.
    GapRow(grid, 0, kFramePadding);
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(CaptionFor(EdYear, half));
    yearRow->addWidget(EdYear);
    yearRow->addSpacing(24);
    yearRow->addWidget(CaptionFor(RGrpPeriod, half));
    yearRow->addStretch(1);
    grid->addLayout(yearRow, 1, Caption);
    grid->addWidget(RGrpPeriod, 1, Field, 1, 2, Qt::AlignLeft);
    GapRow(grid, 2, kFramePadding);
    FrameBehind(grid, 0, PadLeft, 3, ColumnCount, QFrame::Raised, QFrame::Panel);

    GapRow(grid, 3, 2);
    AddRow(grid, 4, CaptionFor(Edsrsp, half), Edsrsp, UnitLabel(Edsrsp, half));

    // The injured and, indented, the fatal cases among them, framed together.
    GapRow(grid, 5, kFramePadding);
    AddRow(grid, 6, CaptionFor(Ed1den, half), Ed1den, UnitLabel(Ed1den, half));
    QLabel* fatalCaption = CaptionFor(Ed1den_Dead, half);
    fatalCaption->setIndent(24);
    AddRow(grid, 7, fatalCaption, Ed1den_Dead, UnitLabel(Ed1den_Dead, half));
    GapRow(grid, 8, kFramePadding);
    FrameBehind(grid, 5, PadLeft, 4, ColumnCount);

    AddRow(grid, 9, CaptionFor(Eddney, half), Eddney, UnitLabel(Eddney, half));
    AddRow(grid, 10, CaptionFor(EdSredstv, half), EdSredstv, UnitLabel(EdSredstv, half, true));
    AddRow(grid, 11, CaptionFor(RGRpDog, half), RGRpDog);
    QLabel* registrationCaption = CaptionFor(EdNomDatUR, half);
    registrationCaption->setIndent(24);
    grid->addWidget(registrationCaption, 12, Caption);
    grid->addWidget(EdNomDatUR, 12, Field, 1, 2);
    AddRow(grid, 13, CaptionFor(RGrpUlutshenie, half), RGrpUlutshenie);
    grid->setRowStretch(14, 1);
    return half;
}

QWidget* StatePage::buildRightHalf()
{
    QFrame* half = MakeHalfFrame(this);
    half->setObjectName(QStringLiteral("StateRightHalf"));
    QGridLayout* grid = MakeHalfGrid(half, 150);

    RGrpAttRuk = MakeYesNoGroup(ControlName("ManagementCertified"), half);
    RGrpKomissia = MakeYesNoGroup(ControlName("HasOtCommission"), half);
    RGrpKabOT = MakeYesNoGroup(ControlName("HasOtOffice"), half);
    RGrpOcenka = MakeYesNoGroup(ControlName("AssessmentCompleted"), half);
    EdNPrikaza = MakeEdit(OrderNo, half);
    DTPrikaza = MakeDatePicker(ControlName("AssessmentDate"), half);
    RGrpExpertiza = MakeYesNoGroup(ControlName("ExpertiseDone"), half);
    EdNZaklExp = MakeEdit(ConclusionNo, half);
    DTZaklExp = MakeDatePicker(ControlName("ExpertiseDate"), half);
    for (RadioGroup* group : {RGrpAttRuk, RGrpKomissia, RGrpKabOT, RGrpOcenka, RGrpExpertiza})
        group->setMinimumWidth(kYesNoWidth);
    for (QDateEdit* picker : {DTPrikaza, DTZaklExp})
        picker->setFixedWidth(kDateWidth);

    AddRow(grid, 0, CaptionFor(RGrpAttRuk, half), RGrpAttRuk);
    AddRow(grid, 1, CaptionFor(RGrpKomissia, half), RGrpKomissia);
    AddRow(grid, 2, CaptionFor(RGrpKabOT, half), RGrpKabOT);

    // The special assessment: the answer and the date of its order.
    GapRow(grid, 3, 8);
    GapRow(grid, 4, kFramePadding);
    AddRow(grid, 5, CaptionFor(RGrpOcenka, half), RGrpOcenka);
    // The order number is kept in the card but never shown nor entered.
    QLabel* orderCaption = CaptionFor(EdNPrikaza, half);
    AddRow(grid, 6, orderCaption, EdNPrikaza);
    for (QWidget* hidden : {static_cast<QWidget*>(orderCaption), static_cast<QWidget*>(EdNPrikaza)}) {
        hidden->hide();
        hidden->setEnabled(false);
    }
    AddRow(grid, 7, CaptionFor(DTPrikaza, half), DTPrikaza);
    GapRow(grid, 8, kFramePadding);
    FrameBehind(grid, 4, PadLeft, 5, ColumnCount);

    // The state expertise: the answer, the conclusion's number and date.
    GapRow(grid, 9, 8);
    GapRow(grid, 10, kFramePadding);
    AddRow(grid, 11, CaptionFor(RGrpExpertiza, half), RGrpExpertiza);
    AddRow(grid, 12, CaptionFor(EdNZaklExp, half), EdNZaklExp);
    AddRow(grid, 13, CaptionFor(DTZaklExp, half), DTZaklExp);
    GapRow(grid, 14, kFramePadding);
    FrameBehind(grid, 10, PadLeft, 5, ColumnCount);
    grid->setRowStretch(15, 1);
    return half;
}

void StatePage::wireHandlers()
{
    // The numeric filter: the year and the four head and day counts.
    for (QLineEdit* numeric : {EdYear, Edsrsp, Ed1den, Ed1den_Dead, Eddney})
        InstallDigitsOnly(numeric);
    // The texts that go into the card, after their own filters; each takes
    // no more characters than the card stores.
    for (QLineEdit* text : {EdSredstv, EdNomDatUR, EdNPrikaza, EdNZaklExp}) {
        InstallCardText(text);
        text->setMaxLength(StoredLength(text));
    }
    InstallCharFilter(EdSredstv, [this](QChar typed) { return EdSredstvKeyPress(typed); });
    InstallCharFilter(EdNomDatUR, [this](QChar typed) { return EdNomDatURKeyPress(typed); });
    InstallCharFilter(EdNPrikaza, [this](QChar typed) { return EdNPrikazaKeyPress(typed); });
    InstallCharFilter(EdNZaklExp, [this](QChar typed) { return EdNZaklExpKeyPress(typed); });

    OnExit(Ed1den, [this] { Ed1denExit(); });
    OnExit(Ed1den_Dead, [this] { Ed1den_DeadExit(); });
    RGRpDog->onExit([this] { RGRpDogExit(); });
    OnExit(EdNomDatUR, [this] { EdNomDatURExit(); });
    RGrpOcenka->onExit([this] { EdNPrikazaExit(); });
    OnExit(EdNPrikaza, [this] { EdNPrikazaExit(); });
    RGrpExpertiza->onExit([this] { RGrpExpertizaExit(); });
    OnExit(EdNZaklExp, [this] { RGrpExpertizaExit(); });
}

void StatePage::setTabChain()
{
    // A radio group is one stop: the keyboard enters it on its selected item.
    QList<QWidget*> chain{EdYear};
    auto addGroup = [&chain](RadioGroup* group) {
        for (int i = 0; i < group->count(); ++i)
            chain.append(group->item(i));
    };
    addGroup(RGrpPeriod);
    chain << Edsrsp << Ed1den << Ed1den_Dead << Eddney << EdSredstv;
    addGroup(RGRpDog);
    chain << EdNomDatUR;
    addGroup(RGrpUlutshenie);
    addGroup(RGrpAttRuk);
    addGroup(RGrpKomissia);
    addGroup(RGrpKabOT);
    addGroup(RGrpOcenka);
    chain << EdNPrikaza << DTPrikaza;
    addGroup(RGrpExpertiza);
    chain << EdNZaklExp << DTZaklExp;
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

void StatePage::setDatesToToday()
{
    DTPrikaza->setDate(QDate::currentDate());
    DTZaklExp->setDate(QDate::currentDate());
}

std::optional<QChar> StatePage::EdSredstvKeyPress(QChar typed) const
{
    if (DigitsAndBackspace(typed))
        return typed;
    if (typed == QLatin1Char(','))
        return EdSredstv->text().contains(QLatin1Char(',')) ? std::nullopt : std::optional<QChar>(typed);
    if (typed == QLatin1Char('.'))
        return QChar(QLatin1Char(',')); // the decimal point becomes the comma, unchecked
    return std::nullopt;
}

std::optional<QChar> StatePage::EdNomDatURKeyPress(QChar typed) const { return OnlyWhenYes(RGRpDog, typed); }

std::optional<QChar> StatePage::EdNPrikazaKeyPress(QChar typed) const { return OnlyWhenYes(RGrpOcenka, typed); }

std::optional<QChar> StatePage::EdNZaklExpKeyPress(QChar typed) const { return OnlyWhenYes(RGrpExpertiza, typed); }

void StatePage::checkInjuredAgainstFatal()
{
    const int injured = card::StrToInt(Ed1den->text().toStdString());
    const int fatal = card::StrToInt(Ed1den_Dead->text().toStdString());
    if (injured < fatal) {
        Boxes().info(kFatalAboveInjured);
        SetFieldInvalid(Ed1den_Dead, true);
    } else {
        SetFieldInvalid(Ed1den_Dead, false);
    }
}

void StatePage::Ed1denExit()
{
    RunGuarded([this] { checkInjuredAgainstFatal(); });
}

void StatePage::Ed1den_DeadExit()
{
    // Leaving the fatal field with a text that is no number says nothing.
    try {
        checkInjuredAgainstFatal();
    } catch (const card::CardError&) {
    }
}

void StatePage::RGRpDogExit() { EmptyUnlessYes(RGRpDog, EdNomDatUR); }

void StatePage::EdNomDatURExit() { EmptyUnlessYes(RGRpDog, EdNomDatUR); }

void StatePage::EdNPrikazaExit() { EmptyUnlessYes(RGrpOcenka, EdNPrikaza); }

void StatePage::RGrpExpertizaExit() { EmptyUnlessYes(RGrpExpertiza, EdNZaklExp); }
