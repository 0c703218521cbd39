#include <gtest/gtest.h>

#include "card/errors.h"
#include "card/validation.h"
#include "card/workplace_counts.h"
#include "support/dialogue_recorder.h"
#include "support/fake_form.h"

namespace {

using card::Answer;

// A form that passes every check.
FakeForm ValidForm()
{
    FakeForm form;
    form.texts = {{"Ed_inn", "7707083893"}, {"Ed_opf", "ООО"},
                  {"Ed_okved", "01.11"},    {"Ed_name", "Ромашка"},
                  {"Ed_doljn", "Директор"}, {"Ed_fio", "Иванов И. И."},
                  {"Ed_np", "Нальчик"},     {"Ed_adr", "360000, ул. Лесная, д. 7"}};
    for (int i = 0; i < card::kWorkplaceCountTotal; ++i)
        form.texts[card::WorkplaceControlName(i)] = "0";
    form.source = 1;
    return form;
}

void AddStaff(card::SotrList& staff, int n)
{
    StringGrid grid(22, 5);
    for (int i = 0; i < n; ++i) {
        card::DialogMode mode;
        staff.beginAdd(mode);
        staff.accept(mode, {"Инженер", "Петров", "1", "03.06.2014", "УЦ"}, grid);
    }
}

TEST(ValidateCard, PassesAValidCardSilently)
{
    DialogueRecorder boxes;
    FakeForm form = ValidForm();
    card::SotrList staff;
    EXPECT_TRUE(boxes.show(card::ValidateCard(form, staff, boxes)));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(form.red["Ed_inn"]);
}

struct Stop {
    const char* name;
    void (*spoil)(FakeForm&);
    const char* message;
    const char* field; // the control the window brings forward
};

class ValidationStops : public testing::TestWithParam<Stop> {};

// Each check stops the save with its own message and field; spoiling a later
// field as well shows that only the first failing check speaks.
TEST_P(ValidationStops, FirstFailingCheckShowsOnlyItsMessage)
{
    DialogueRecorder boxes;
    FakeForm form = ValidForm();
    GetParam().spoil(form);
    form.source = 0; // the last check would fail too
    card::SotrList staff;
    const card::Outcome outcome = card::ValidateCard(form, staff, boxes);
    EXPECT_FALSE(boxes.show(outcome));
    ASSERT_EQ(boxes.texts(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(outcome.field, GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Chain, ValidationStops,
    testing::Values(Stop{"Inn",
                         [](FakeForm& f) {
                             f.texts["Ed_inn"] = "7707083894";
                             f.texts["Ed_opf"] = "";
                         },
                         "Проверьте правильность ИНН! Сохранение будет невозможно!", "Ed_inn"},
                    Stop{"LegalForm",
                         [](FakeForm& f) {
                             f.texts["Ed_opf"] = "   ";
                             f.texts["Ed_name"] = "";
                         },
                         "Не заполнена организационно-правовая форма! Сохранение невозможно!", "Ed_opf"},
                    Stop{"Okved",
                         [](FakeForm& f) {
                             f.texts["Ed_okved"] = "";
                             f.texts["Ed_adr"] = "";
                         },
                         "Не заполнен КДЭС (бывший ОКВЭД)! Сохранение невозможно!", "Ed_okved"},
                    Stop{"Name", [](FakeForm& f) { f.texts["Ed_name"] = "  "; },
                         "Не заполнено название предприятия! Сохранение невозможно!", "Ed_name"},
                    Stop{"Position", [](FakeForm& f) { f.texts["Ed_doljn"] = ""; },
                         "Не заполнена должность руководителя! Сохранение невозможно!", "Ed_doljn"},
                    Stop{"HeadName", [](FakeForm& f) { f.texts["Ed_fio"] = ""; },
                         "Не заполнена ФИО руководителя! Сохранение невозможно!", "Ed_fio"},
                    Stop{"Settlement", [](FakeForm& f) { f.texts["Ed_np"] = ""; },
                         "Не заполнен населенный пункт! Сохранение невозможно!", "Ed_np"},
                    Stop{"Address", [](FakeForm& f) { f.texts["Ed_adr"] = " "; },
                         "Не заполнен адрес! Сохранение невозможно!", "Ed_adr"},
                    Stop{"Class1",
                         [](FakeForm& f) {
                             f.texts["EdN14M1OP"] = "2";
                             f.texts["EdN14M1V"] = "1";
                         },
                         "Количество рабочих мест, оценённых с классом условий труда 1 \n\r В ТЧЕТНОМ ПЕРИОДЕ больше "
                         "чем ВСЕГО\n\rСохранение отменено!",
                         "EdN14M1OP"},
                    Stop{"Class3_2",
                         [](FakeForm& f) {
                             f.texts["EdN16M3_2OP"] = "5";
                             f.texts["EdN16M3_2V"] = "3";
                         },
                         "Количество рабочих мест, оценённых с классом условий труда 3.2 \n\r В ТЧЕТНОМ ПЕРИОДЕ "
                         "больше чем ВСЕГО\n\rСохранение отменено!",
                         "EdN16M3_2OP"},
                    Stop{"Class4", [](FakeForm& f) { f.texts["EdN16M4OP"] = "1"; },
                         "Количество рабочих мест, оценённых с классом условий труда 4 \n\r В ТЧЕТНОМ ПЕРИОДЕ больше "
                         "чем ВСЕГО\n\rСохранение отменено!",
                         "EdN16M4OP"},
                    Stop{"Source", [](FakeForm&) {},
                         "Необходимо выбрать код ОКВЭД или КДЕС2 из справочника!\n\rСохранение отменено!", "Ed_okved"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValidateCard, InnColourFollowsTheCheck)
{
    DialogueRecorder boxes;
    FakeForm form = ValidForm();
    card::SotrList staff;
    form.texts["Ed_inn"] = "";
    EXPECT_FALSE(boxes.show(card::ValidateCard(form, staff, boxes)));
    EXPECT_TRUE(form.red["Ed_inn"]);
    form.texts["Ed_inn"] = "500100732259";
    form.texts["Ed_fio"] = "";
    EXPECT_FALSE(boxes.show(card::ValidateCard(form, staff, boxes)));
    EXPECT_FALSE(form.red["Ed_inn"]) << "black stays although a later check failed";
}

TEST(ValidateCard, TabCountsAsFilledAndEqualCountsPass)
{
    DialogueRecorder boxes;
    FakeForm form = ValidForm();
    form.texts["Ed_name"] = "\t";
    form.texts["EdN16M3_2OP"] = "3";
    form.texts["EdN16M3_2V"] = "3";
    card::SotrList staff;
    EXPECT_TRUE(boxes.show(card::ValidateCard(form, staff, boxes)));
}

struct ServiceCase {
    int staffCount;
    int serviceAnswer; // item of RGrpSot
    std::vector<Answer> answers;
    bool passes;
    std::vector<std::string> shown;
};

class ServiceQuestion : public testing::TestWithParam<ServiceCase> {};

TEST_P(ServiceQuestion, AskedOnlyForSeveralStaffWithoutService)
{
    const ServiceCase& c = GetParam();
    DialogueRecorder boxes;
    boxes.answers.assign(c.answers.begin(), c.answers.end());
    FakeForm form = ValidForm();
    form.indexes["RGrpSot"] = c.serviceAnswer;
    card::SotrList staff;
    AddStaff(staff, c.staffCount);
    EXPECT_EQ(boxes.show(card::ValidateCard(form, staff, boxes)), c.passes);
    EXPECT_EQ(boxes.texts(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Chain, ServiceQuestion,
    testing::Values(
        ServiceCase{1, 0, {}, true, {}}, ServiceCase{3, 1, {}, true, {}},
        ServiceCase{2, 0, {Answer::Yes}, true, {"Работников службы ОТ: 2 Действительно отсутствует служба ОТ?"}},
        ServiceCase{3,
                    0,
                    {Answer::No},
                    false,
                    {"Работников службы ОТ: 3 Действительно отсутствует служба ОТ?",
                     "Укажите наличие службы ОТ! Сохранение отменено!"}},
        ServiceCase{3, 0, {Answer::Closed}, true, {"Работников службы ОТ: 3 Действительно отсутствует служба ОТ?"}}));

TEST(ValidateCard, CountThatIsNoIntegerEndsTheSaveWithAnError)
{
    DialogueRecorder boxes;
    FakeForm form = ValidForm();
    form.texts["EdN14M1V"] = "";
    card::SotrList staff;
    const card::Outcome empty = card::ValidateCard(form, staff, boxes);
    ASSERT_FALSE(empty.accepted) << "no conversion error";
    EXPECT_EQ(empty.field, "EdN14M1V");
    EXPECT_EQ(empty.messages, (std::vector<card::Message>{{card::Message::Error, "'' is not a valid integer value."}}));
    form.texts["EdN14M1V"] = "2147483648";
    EXPECT_EQ(card::ValidateCard(form, staff, boxes).messages.at(0).kind, card::Message::Error);
}

} // namespace
