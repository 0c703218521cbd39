#include "card/validation.h"

#include <string>
#include <string_view>

#include "card/card_layout.h"
#include "card/errors.h"
#include "card/inn.h"
#include "card/outcome.h"
#include "card/text_rules.h"
#include "card/workplace_counts.h"

namespace card {
namespace {

constexpr char kInnMessage[] = "Проверьте правильность ИНН! Сохранение будет невозможно!";

// The checks name record fields; the control of each comes from the layout
// table, where it is written once.
const std::string& ControlOf(std::string_view field) { return Field(field).control; }

struct RequiredText {
    const char* field;
    const char* message;
};

// Required texts, in the order they are checked.
constexpr RequiredText kRequiredTexts[] = {
    {"LegalForm", "Не заполнена организационно-правовая форма! Сохранение невозможно!"},
    {"OkvedCode", "Не заполнен КДЭС (бывший ОКВЭД)! Сохранение невозможно!"},
    {"OrgName", "Не заполнено название предприятия! Сохранение невозможно!"},
    {"HeadPosition", "Не заполнена должность руководителя! Сохранение невозможно!"},
    {"HeadName", "Не заполнена ФИО руководителя! Сохранение невозможно!"},
    {"Settlement", "Не заполнен населенный пункт! Сохранение невозможно!"},
    {"PostalAddress", "Не заполнен адрес! Сохранение невозможно!"},
};

bool InnPasses(CardForm& form, Outcome& outcome)
{
    const std::string& inn = ControlOf("Inn");
    if (!InnCheck(form.text(inn))) {
        outcome.refuse(Message::Info, kInnMessage, inn);
        form.markInvalid(inn, true);
        return false;
    }
    form.markInvalid(inn, false);
    return true;
}

bool RequiredTextsFilled(const CardForm& form, Outcome& outcome)
{
    for (const RequiredText& required : kRequiredTexts) {
        const std::string& control = ControlOf(required.field);
        if (TrimSpaces(form.text(control)).empty()) {
            outcome.refuse(Message::Info, required.message, control);
            return false;
        }
    }
    return true;
}

// Several staff members but "no service" is probably a slip: ask.
bool ServiceAnswerConfirmed(const CardForm& form, const SotrList& staff, Dialogue& user, Outcome& outcome)
{
    const std::string& service = ControlOf("HasOtService");
    if (staff.count() <= 1 || form.itemIndex(service) != 0)
        return true;
    const std::string question
        = "Работников службы ОТ: " + std::to_string(staff.count()) + " Действительно отсутствует служба ОТ?";
    outcome.questions.push_back(question);
    if (user.ask(question, Answer::Yes) == Answer::No) {
        outcome.refuse(Message::Info, "Укажите наличие службы ОТ! Сохранение отменено!", service);
        return false;
    }
    return true;
}

bool PeriodWorkplacesWithinTotals(const CardForm& form, Outcome& outcome)
{
    for (int c = 0; c < kWorkplaceClassCount; ++c) {
        const std::string periodControl = WorkplaceControlName(c, kWorkplacePeriod, kWorkplaces);
        const std::string totalControl = WorkplaceControlName(c, kWorkplaceTotal, kWorkplaces);
        const int32_t period = ControlInt(periodControl, form.text(periodControl));
        const int32_t total = ControlInt(totalControl, form.text(totalControl));
        if (period > total) {
            outcome.refuse(Message::Info,
                           "Количество рабочих мест, оценённых с классом условий труда "
                               + std::string(WorkplaceClassName(c))
                               + " \n\r В ТЧЕТНОМ ПЕРИОДЕ больше чем ВСЕГО\n\rСохранение отменено!",
                           periodControl);
            return false;
        }
    }
    return true;
}

bool ClassifierSourceKnown(const CardForm& form, Outcome& outcome)
{
    if (form.okvedSource() == 0) {
        outcome.refuse(Message::Info, "Необходимо выбрать код ОКВЭД или КДЕС2 из справочника!\n\rСохранение отменено!",
                       ControlOf("OkvedCode"));
        return false;
    }
    return true;
}

} // namespace

Outcome ValidateCard(CardForm& form, const SotrList& staff, Dialogue& user)
{
    Outcome outcome;
    try {
        InnPasses(form, outcome) && RequiredTextsFilled(form, outcome)
            && ServiceAnswerConfirmed(form, staff, user, outcome) && PeriodWorkplacesWithinTotals(form, outcome)
            && ClassifierSourceKnown(form, outcome);
    } catch (const FieldError& e) {
        outcome.refuse(Message::Error, ErrorDisplayText(e.what()), e.control());
    }
    return outcome;
}

} // namespace card
