#include "card/validation.h"

#include <string>
#include <string_view>

#include "card/card_layout.h"
#include "card/errors.h"
#include "card/inn.h"
#include "card/messages.h"
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

bool InnPasses(CardForm& form)
{
    const std::string& inn = ControlOf("Inn");
    if (!InnCheck(form.text(inn))) {
        messages().info(kInnMessage);
        form.markInvalid(inn, true);
        return false;
    }
    form.markInvalid(inn, false);
    return true;
}

bool RequiredTextsFilled(const CardForm& form)
{
    for (const RequiredText& required : kRequiredTexts) {
        if (TrimSpaces(form.text(ControlOf(required.field))).empty()) {
            messages().info(required.message);
            return false;
        }
    }
    return true;
}

// Several staff members but "no service" is probably a slip: ask.
bool ServiceAnswerConfirmed(const CardForm& form, const SotrList& staff)
{
    if (staff.count() <= 1 || form.itemIndex(ControlOf("HasOtService")) != 0)
        return true;
    const std::string question
        = "Работников службы ОТ: " + std::to_string(staff.count()) + " Действительно отсутствует служба ОТ?";
    if (messages().confirm(question, Answer::Yes) == Answer::No) {
        messages().info("Укажите наличие службы ОТ! Сохранение отменено!");
        return false;
    }
    return true;
}

bool PeriodWorkplacesWithinTotals(const CardForm& form)
{
    for (int c = 0; c < kWorkplaceClassCount; ++c) {
        const int32_t period = StrToInt(form.text(WorkplaceControlName(c, kWorkplacePeriod, kWorkplaces)));
        const int32_t total = StrToInt(form.text(WorkplaceControlName(c, kWorkplaceTotal, kWorkplaces)));
        if (period > total) {
            messages().info("Количество рабочих мест, оценённых с классом условий труда "
                            + std::string(WorkplaceClassName(c))
                            + " \n\r В ТЧЕТНОМ ПЕРИОДЕ больше чем ВСЕГО\n\rСохранение отменено!");
            return false;
        }
    }
    return true;
}

bool ClassifierSourceKnown(const CardForm& form)
{
    if (form.okvedSource() == 0) {
        messages().info("Необходимо выбрать код ОКВЭД или КДЕС2 из справочника!\n\rСохранение отменено!");
        return false;
    }
    return true;
}

} // namespace

bool ValidateCard(CardForm& form, const SotrList& staff)
{
    return InnPasses(form) && RequiredTextsFilled(form) && ServiceAnswerConfirmed(form, staff)
        && PeriodWorkplacesWithinTotals(form) && ClassifierSourceKnown(form);
}

} // namespace card
