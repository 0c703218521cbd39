#include <gtest/gtest.h>

#include "card/card_layout.h"
#include "card/card_transfer.h"
#include "card/errors.h"
#include "card/workplace_counts.h"
#include "support/dialogue_recorder.h"
#include "support/fake_form.h"
#include "support/string_grid.h"

namespace {

using card::Conversion;

// A form with a distinct value in every control the card stores.
FakeForm FilledForm()
{
    FakeForm form;
    int i = 0;
    for (const card::CardField& field : card::CardFields()) {
        ++i;
        switch (field.conversion) {
        case Conversion::EditText: form.texts[field.control] = "Текст " + std::to_string(i); break;
        case Conversion::Int32Edit: form.texts[field.control] = std::to_string(i % 3 ? i * 7 : -i); break;
        case Conversion::RadioByte: form.indexes[field.control] = i % 2; break;
        case Conversion::District: form.indexes[field.control] = 4; break;
        default: break;
        }
    }
    form.texts["Ed_okved"] = "01.11.11";
    form.texts["Ed_inn"] = "7707083893";
    form.texts["EdSredstv"] = "15,6";
    form.indexes["RGrpOcenka"] = 1;
    form.indexes["RGrpExpertiza"] = 1;
    form.dates["DTPrikaza"] = {2014, 3, 5};
    form.dates["DTZaklExp"] = {2015, 12, 31};
    form.source = 2;
    return form;
}

void AddEntries(card::EntryLists& lists)
{
    StringGrid contacts(12, 2), staff(22, 5);
    lists.contacts.beginAdd(lists.dialogMode);
    lists.contacts.accept(lists.dialogMode, {"Телефон", "+7 866 000-00-00"}, contacts);
    for (const char* position : {"Инженер", "Специалист"}) {
        lists.staff.beginAdd(lists.dialogMode);
        lists.staff.accept(lists.dialogMode, {position, "Петров П. П.", "12", "03.06.2014", "УЦ"}, staff);
    }
}

TEST(CardTransfer, EveryControlComesBackAsItWasSaved)
{
    DialogueRecorder boxes;
    FakeForm original = FilledForm();
    card::EntryLists lists;
    AddEntries(lists);
    card::TCardRec rec;
    card::CardFromWindow(original, lists, rec);

    FakeForm shown;
    card::EntryLists loaded;
    card::CardToWindow(shown, loaded, rec, boxes);

    for (const card::CardField& field : card::CardFields()) {
        switch (field.conversion) {
        case Conversion::EditText:
        case Conversion::ActivityCode:
        case Conversion::Int32Edit:
            EXPECT_EQ(shown.text(field.control), original.text(field.control)) << field.name;
            break;
        case Conversion::RadioByte:
        case Conversion::District:
            EXPECT_EQ(shown.itemIndex(field.control), original.itemIndex(field.control)) << field.name;
            break;
        case Conversion::Date: EXPECT_EQ(shown.date(field.control), original.date(field.control)) << field.name; break;
        default: break;
        }
    }
    EXPECT_EQ(shown.source, 2);
    EXPECT_EQ(shown.captions["lbl_okv"], "Использован КДЕС2");
    EXPECT_EQ(loaded.contacts.count(), 1);
    EXPECT_EQ(loaded.staff.count(), 2);
    EXPECT_EQ(shown.contactsGrid.cell(1, 1), "+7 866 000-00-00");
    EXPECT_EQ(shown.staffGrid.cell(0, 2), "Специалист");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(shown.red["Ed_inn"]);
}

TEST(CardTransfer, SavingZeroesWhatAnEarlierCardLeftBehind)
{
    FakeForm form = FilledForm();
    card::EntryLists lists;
    card::TCardRec rec;
    rec.setText("OrgName", std::string(250, 'x'));
    rec.setByteAt(14300, 0x55);
    form.texts["Ed_name"] = "ООО";
    card::CardFromWindow(form, lists, rec);
    EXPECT_EQ(rec.byteAt(card::Field("OrgName").offset + 5), 0);
    EXPECT_EQ(rec.byteAt(14300), 0);
    EXPECT_EQ(rec.byte("FormatVersion"), 2);
    EXPECT_TRUE(card::HasCardSignature(rec));
}

struct CodeCase {
    const char* typed;
    const char* stored;
};
class ActivityCodeStored : public testing::TestWithParam<CodeCase> {};

TEST_P(ActivityCodeStored, LosesOneFinalDotOnly)
{
    FakeForm form = FilledForm();
    form.texts["Ed_okved"] = GetParam().typed;
    card::EntryLists lists;
    card::TCardRec rec;
    card::CardFromWindow(form, lists, rec);
    EXPECT_EQ(rec.text("OkvedCode"), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(CardTransfer, ActivityCodeStored,
                         testing::Values(CodeCase{"01.11.", "01.11"}, CodeCase{"01..", "01."},
                                         CodeCase{"01.11.11", "01.11.11"}, CodeCase{"", ""}));

TEST(CardTransfer, CountThatIsNoIntegerStopsTheSave)
{
    FakeForm form = FilledForm();
    form.texts[card::WorkplaceControlName(69)] = "";
    card::EntryLists lists;
    card::TCardRec rec;
    try {
        card::CardFromWindow(form, lists, rec);
        FAIL();
    } catch (const card::CardError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
    // The print's way: the error display's text and the edit to bring forward.
    const card::Outcome built = card::RecordFromWindow(form, lists, rec);
    EXPECT_EQ(built.refusal(), "'' is not a valid integer value.");
    EXPECT_EQ(built.field, card::WorkplaceControlName(69));
}

struct ShownByte {
    const char* field;
    const char* control;
    int stored;
    int index;
};
class StoredNumbersShown : public testing::TestWithParam<ShownByte> {};

TEST_P(StoredNumbersShown, SelectTheirItem)
{
    DialogueRecorder boxes;
    card::TCardRec rec;
    rec.setByte("OkvedSource", 1);
    if (std::string(GetParam().field) == "DistrictCode")
        rec.setInt32("DistrictCode", GetParam().stored);
    else
        rec.setByte(GetParam().field, static_cast<std::uint8_t>(GetParam().stored));
    FakeForm form;
    card::EntryLists lists;
    card::CardToWindow(form, lists, rec, boxes);
    EXPECT_EQ(form.itemIndex(GetParam().control), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    CardTransfer, StoredNumbersShown,
    testing::Values(ShownByte{"HasOtService", "RGrpSot", 7, 1}, ShownByte{"ReportPeriod", "RGrpPeriod", 1, 1},
                    ShownByte{"HasOtOffice", "RGrpKabOT", 255, 1}, ShownByte{"DistrictCode", "CombRn", 14, 12},
                    ShownByte{"DistrictCode", "CombRn", 13, 12}, ShownByte{"DistrictCode", "CombRn", 1, 0},
                    ShownByte{"DistrictCode", "CombRn", 0, -1}, ShownByte{"DistrictCode", "CombRn", 15, -1}));

// Records the order in which controls change and messages appear.
class LoggingForm final : public FakeForm {
public:
    explicit LoggingForm(std::vector<std::string>& log)
        : log_(log)
    {
    }
    void setText(const std::string& c, const std::string& t) override
    {
        log_.push_back(c);
        FakeForm::setText(c, t);
    }
    void openClassifierPicker() override { log_.push_back("picker"); }

private:
    std::vector<std::string>& log_;
};

class LoggingBoxes final : public card::Dialogue {
public:
    explicit LoggingBoxes(std::vector<std::string>& log)
        : log_(log)
    {
    }
    card::Answer ask(const std::string&, card::Answer) override { return card::Answer::Closed; }
    void tell(const card::Message& message) override
    {
        log_.push_back((message.kind == card::Message::Error ? "error: " : "info: ") + message.text);
    }

private:
    std::vector<std::string>& log_;
};

TEST(CardTransfer, InnWarningComesMidLoadAndTheCodeRequestLast)
{
    std::vector<std::string> log;
    LoggingBoxes boxes(log);
    FakeForm filled = FilledForm();
    filled.texts["Ed_inn"] = "123";
    filled.source = 0;
    card::EntryLists lists;
    card::TCardRec rec;
    card::CardFromWindow(filled, lists, rec);

    LoggingForm form(log);
    card::CardToWindow(form, lists, rec, boxes);

    const std::vector<std::string> firstSteps
        = {"Ed_opf", "Ed_name",  "Ed_doljn", "Ed_np",
           "Ed_adr", "Ed_okved", "Ed_inn",   "info: Проверьте правильность ИНН! Сохранение будет невозможно!",
           "Ed_fio"};
    ASSERT_GE(log.size(), firstSteps.size());
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + firstSteps.size()), firstSteps);
    EXPECT_EQ(log[log.size() - 2], "info: Необходимо выбрать ОКВЭД(КДЕС2) из справочника");
    EXPECT_EQ(log.back(), "picker");
    EXPECT_TRUE(form.red["Ed_inn"]);
}

TEST(CardTransfer, UnreadableDateRefusesTheWholeCardBeforeAnyControlChanges)
{
    std::vector<std::string> log;
    LoggingBoxes boxes(log);
    card::TCardRec rec;
    rec.setText("OrgName", "ООО Ромашка");
    rec.setByte("ExpertiseDone", 1);
    rec.setText("ExpertiseDate", "2014-03-05");
    LoggingForm form(log);
    card::EntryLists lists;
    const card::Outcome outcome = card::CardToWindow(form, lists, rec, boxes);
    ASSERT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.messages,
              (std::vector<card::Message>{{card::Message::Error, "'2014-03-05' is not a valid date."}}));
    EXPECT_EQ(outcome.field, "DTZaklExp");
    EXPECT_TRUE(log.empty());
}

TEST(CardTransfer, DatesAreShownOnlyWhereTheirAnswerIsYes)
{
    DialogueRecorder boxes;
    card::TCardRec rec;
    rec.setByte("OkvedSource", 1);
    rec.setByte("AssessmentCompleted", 0);
    rec.setText("AssessmentDate", "garbage");
    rec.setByte("ExpertiseDone", 1);
    rec.setText("ExpertiseDate", "05.03.2014");
    FakeForm form;
    form.dates["DTPrikaza"] = {2026, 12, 9};
    card::EntryLists lists;
    card::CardToWindow(form, lists, rec, boxes);
    EXPECT_EQ(form.date("DTPrikaza"), (card::Date{2026, 12, 9}));
    EXPECT_EQ(form.date("DTZaklExp"), (card::Date{2014, 3, 5}));
}

struct SourceCase {
    int stored;
    const char* caption;
    int pickerOpenings;
    std::vector<std::string> shown;
};
class ClassifierSourceShown : public testing::TestWithParam<SourceCase> {};

TEST_P(ClassifierSourceShown, SetsTagCaptionOrAsksForACode)
{
    DialogueRecorder boxes;
    card::TCardRec rec;
    rec.setText("Inn", "7707083893");
    rec.setByte("OkvedSource", static_cast<std::uint8_t>(GetParam().stored));
    FakeForm form;
    form.captions["lbl_okv"] = "before";
    card::EntryLists lists;
    card::CardToWindow(form, lists, rec, boxes);
    EXPECT_EQ(form.source, GetParam().stored);
    EXPECT_EQ(form.captions["lbl_okv"], GetParam().caption);
    EXPECT_EQ(form.pickerOpenings, GetParam().pickerOpenings);
    EXPECT_EQ(boxes.texts(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(CardTransfer, ClassifierSourceShown,
                         testing::Values(SourceCase{0, "before", 1, {"Необходимо выбрать ОКВЭД(КДЕС2) из справочника"}},
                                         SourceCase{1, "Использован ОКВЭД", 0, {}},
                                         SourceCase{2, "Использован КДЕС2", 0, {}}, SourceCase{9, "before", 0, {}}));

} // namespace
