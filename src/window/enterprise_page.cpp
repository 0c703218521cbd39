#include "window/enterprise_page.h"

#include <iterator>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QResizeEvent>

#include "card/card_layout.h"
#include "card/district_names.h"
#include "card/inn.h"
#include "card/text_rules.h"
#include "widgets/arriving_text.h"
#include "widgets/classifier_opener.h"
#include "widgets/field_captions.h"
#include "widgets/field_colour.h"
#include "widgets/key_filters.h"
#include "widgets/messages_qt.h"
#include "widgets/okved_source.h"
#include "window/contacts_block.h"
#include "window/okved_field.h"

namespace {

// Fixed pixel layout: labels in a left column, fields to their right.
constexpr int kLabelLeft = 8;
constexpr int kLabelWidth = 200;
constexpr int kFieldLeft = 212;
constexpr int kFieldRight = 749;
constexpr int kFieldWidth = kFieldRight - kFieldLeft;
constexpr int kTop = 10;
constexpr int kRowPitch = 25;
constexpr int kFieldHeight = 21;
constexpr int kRows = 8;
constexpr int kContactsTop = kTop + kRows * kRowPitch + 4;
constexpr int kBottomGap = 4; // below the contacts block, inside the page

constexpr char kInnWarning[] = "Проверьте правильность ИНН! Сохранение будет невозможно!";
constexpr char kOkvedWarning[] = "Не заполнен КДЭС (бывший ОКВЭД)! Сохранение будет невозможно!";

int RowTop(int row) { return kTop + row * kRowPitch; }

// The name becomes part of the card's file name: no character that a file
// name cannot hold. Typing cannot bring a control character; a paste can.
const QString& RefusedInFileName()
{
    static const QString refused = QStringLiteral("\"*/:<>?\\|");
    return refused;
}

bool TakenInFileName(QChar c) { return c.unicode() >= 0x20 && !RefusedInFileName().contains(c); }

// One edit of the page: the record field it shows (the layout table names
// its control, whose caption is its label), its maximum length and hint, and
// its place: row, then the edit's left and width, then the label's.
struct EditField {
    const char* field;
    int maxLength;
    const char* hint;
    int row;
    int left = kFieldLeft;
    int width = kFieldWidth;
    int labelLeft = kLabelLeft;
    int labelWidth = kLabelWidth;
};

// The page's edits, in tab order.
enum Edit { Opf, Inn, Name, Okved, Doljn, Fio, Np, Adr };
constexpr EditField kEdits[] = {
    {"LegalForm", 30, "Аббревиатура. например ООО или ГБУЗ ОВРА и т.д.", 0, kFieldLeft, 110},
    {"Inn", 12, "впишите СВОЙ ИНН!", 0, 390, 110, 342, 46},
    {"OrgName", 150,
     "Только название предприятия. Без организционно-правовой формы\r\n"
     "Например: Vavaraze ruvudoz ediruzor",
     1},
    {"OkvedCode", 8, nullptr, 2, kFieldLeft, 80},
    {"HeadPosition", 200, "Должность руководителя БЕЗ указания организации!\r\nНапример: Директор", 3},
    {"HeadName", 100, nullptr, 4},
    {"Settlement", 200, nullptr, 6},
    {"PostalAddress", 200,
     "ПОЧТОВЫЙ ИНДЕКС, Улица, строение(корпус), номер дома, номер квартиры(при "
     "наличии)\r\nНапример: 000000, ул. Лесная, д. 7",
     7},
};
static_assert(std::size(kEdits) == Adr + 1);

QLabel* AddLabel(QWidget* page, const QString& text, QWidget* buddy, QRect where)
{
    auto* label = new QLabel(text, page);
    label->setGeometry(where);
    label->setBuddy(buddy);
    return label;
}

// The edit and its label, placed as the table says.
QLineEdit* AddEdit(QWidget* page, Edit which)
{
    const EditField& field = kEdits[which];
    const std::string& control = card::Field(field.field).control;
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QString::fromStdString(control));
    edit->setMaxLength(field.maxLength);
    if (field.hint)
        edit->setToolTip(QString::fromUtf8(field.hint));
    edit->setGeometry(field.left, RowTop(field.row), field.width, kFieldHeight);
    // Runs after the edit's own filter, installed later.
    InstallCardText(edit);
    AddLabel(page, CaptionText(control), edit, {field.labelLeft, RowTop(field.row), field.labelWidth, kFieldHeight});
    return edit;
}

} // namespace

EnterprisePage::EnterprisePage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetPredpr"));

    // Created in tab order.
    Ed_opf = AddEdit(this, Opf);
    Ed_inn = AddEdit(this, Inn);
    Ed_name = AddEdit(this, Name);
    Ed_okved = AddEdit(this, Okved);
    lbl_okv = new QLabel(QStringLiteral(" "), this);
    lbl_okv->setObjectName(QString::fromLatin1(card::kClassifierCaptionControl));
    lbl_okv->setGeometry(kFieldLeft + 90, RowTop(kEdits[Okved].row), 250, kFieldHeight);
    Ed_doljn = AddEdit(this, Doljn);
    Ed_fio = AddEdit(this, Fio);

    const std::string& district = card::Field("DistrictCode").control;
    CombRn = new QComboBox(this);
    CombRn->setObjectName(QString::fromStdString(district));
    CombRn->setEditable(true);
    CombRn->setInsertPolicy(QComboBox::NoInsert);
    CombRn->addItems(districtNames());
    CombRn->setMaxVisibleItems(static_cast<int>(districtNames().size()));
    CombRn->setCurrentIndex(0);
    CombRn->setGeometry(kFieldLeft, RowTop(5), kFieldWidth, kFieldHeight);
    AddLabel(this, CaptionText(district), CombRn, {kLabelLeft, RowTop(5), kLabelWidth, kFieldHeight});

    Ed_np = AddEdit(this, Np);
    Ed_adr = AddEdit(this, Adr);

    contacts_ = new ContactsBlock(this);
    contacts_->setGeometry(kLabelLeft, kContactsTop, kFieldRight - kLabelLeft, contacts_->blockHeight());

    QWidget* previous = nullptr;
    for (QWidget* next : QList<QWidget*>{Ed_opf, Ed_inn, Ed_name, Ed_okved, Ed_doljn, Ed_fio, CombRn, Ed_np, Ed_adr}
             + contacts_->tabOrder()) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }

    InstallCharFilter(Ed_name, &EnterprisePage::Ed_nameKeyPress);
    DropRefusedOnArrival(Ed_name, TakenInFileName);
    InstallCharFilter(Ed_inn, &EnterprisePage::Ed_innKeyPress);
    DropRefusedOnArrival(Ed_inn, AsciiDigit);
    InstallCharFilter(CombRn, &EnterprisePage::CombRnKeyPress);
    InstallKeyDownFilter(CombRn, &EnterprisePage::CombRnKeyDown);
    if (CombRn->lineEdit()) {
        InstallCharFilter(CombRn->lineEdit(), &EnterprisePage::CombRnKeyPress);
        InstallKeyDownFilter(CombRn->lineEdit(), &EnterprisePage::CombRnKeyDown);
    }

    SetFieldInvalid(Ed_inn, false);
    connect(Ed_inn, &QLineEdit::textChanged, this, &EnterprisePage::Ed_innChange);
    OnExit(Ed_inn, [this] { Ed_innExit(); });

    Ed_okved->setReadOnly(true);
    SetOkvedSource(Ed_okved, 0);
    connect(Ed_okved, &QLineEdit::textChanged, this, &EnterprisePage::Ed_okvedChange);
    OnExit(Ed_okved, [this] { Ed_okvedExit(); });
    // Ed_okvedKeyPress, Ed_okvedClick and Ed_okvedEnter: each opens the picker.
    InstallPickerTriggers(Ed_okved, [this] {
        RunGuarded([this] { OpenClassifierPicker(window(), {Ed_okved, lbl_okv}); });
    });
}

void EnterprisePage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The contacts block keeps to the page, whatever the font makes of its rows.
    contacts_->setHeightLimit(height() - kContactsTop - kBottomGap);
}

void EnterprisePage::writeGridHeader() { contacts_->writeGridHeader(); }

QTableWidget* EnterprisePage::contactsGrid() const { return contacts_->grid(); }

const QStringList& EnterprisePage::districtNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (std::string_view name : card::kDistrictNames)
            list << CardText(name);
        return list;
    }();
    return names;
}

// Tab (9) is navigation rather than typing and passes every filter of the page.
namespace {
bool IsTab(QChar typed) { return typed.unicode() == 9; }
} // namespace

std::optional<QChar> EnterprisePage::Ed_nameKeyPress(QChar typed)
{
    if (RefusedInFileName().contains(typed))
        return std::nullopt;
    return typed;
}

std::optional<QChar> EnterprisePage::Ed_innKeyPress(QChar typed)
{
    if (IsTab(typed) || (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')))
        return typed;
    return std::nullopt; // Backspace included
}

std::optional<QChar> EnterprisePage::CombRnKeyPress(QChar typed)
{
    if (IsTab(typed) || typed.unicode() == 13)
        return typed;
    return std::nullopt;
}

bool EnterprisePage::CombRnKeyDown(int qtKey) { return qtKey == Qt::Key_Delete; }

void EnterprisePage::Ed_innChange() { SetFieldInvalid(Ed_inn, !card::InnCheck(Ed_inn->text().toStdString())); }

void EnterprisePage::Ed_innExit()
{
    if (card::InnCheck(Ed_inn->text().toStdString())) {
        SetFieldInvalid(Ed_inn, false);
        return;
    }
    Boxes().info(kInnWarning);
    SetFieldInvalid(Ed_inn, true);
}

void EnterprisePage::Ed_okvedChange()
{
    const int length = static_cast<int>(Ed_okved->text().size());
    if (length != 3 && length != 6)
        return;
    Ed_okved->setCursorPosition(length - 1);
    Ed_okved->insert(QStringLiteral("."));
    Ed_okved->setCursorPosition(static_cast<int>(Ed_okved->text().size()));
}

void EnterprisePage::Ed_okvedExit()
{
    if (card::TrimSpaces(Ed_okved->text().toStdString()).empty())
        Boxes().info(kOkvedWarning);
}
