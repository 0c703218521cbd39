#include "card/card_transfer.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "card/card_captions.h"
#include "card/district.h"
#include "card/errors.h"
#include "card/inn.h"
#include "card/short_date.h"

namespace card {
namespace {

constexpr char kInnMessage[] = "Проверьте правильность ИНН! Сохранение будет невозможно!";
constexpr char kContactsGrid[] = "StrGridKont";
constexpr char kStaffGrid[] = "StrGridSOT";

// The fields the load shows first, in this order; the rest follow in file
// order. (Contacts and the district come before the activity code and the
// INN, whose warning the user sees part-way through the load.)
constexpr const char* kShownFirst[] = {"LegalForm", "OrgName",      "HeadPosition", "Settlement", "PostalAddress",
                                       "Contacts",  "DistrictCode", "OkvedCode",    "Inn",        "HeadName"};

std::string WithoutOneFinalDot(std::string code)
{
    if (!code.empty() && code.back() == '.')
        code.pop_back();
    return code;
}

void StoreField(const CardField& field, const CardForm& form, const EntryLists& lists, TCardRec& card)
{
    switch (field.conversion) {
    case Conversion::None:
    case Conversion::Fixed: break;
    case Conversion::EditText: card.setText(field, form.text(field.control)); break;
    case Conversion::ActivityCode: card.setText(field, WithoutOneFinalDot(form.text(field.control))); break;
    case Conversion::Int32Edit: card.setInt32(field, ControlInt(field.control, form.text(field.control))); break;
    case Conversion::RadioByte: card.setByte(field, static_cast<std::uint8_t>(form.itemIndex(field.control))); break;
    case Conversion::Date: card.setText(field, FormatShortDate(form.date(field.control))); break;
    case Conversion::District: card.setInt32(field, DistrictCodeFromIndex(form.itemIndex(field.control))); break;
    case Conversion::ContactSlots: lists.contacts.storeIntoCard(card); break;
    case Conversion::StaffSlots: lists.staff.storeIntoCard(card); break;
    case Conversion::ClassifierSource: card.setByte(field, static_cast<std::uint8_t>(form.okvedSource())); break;
    }
}

// A stored radio byte beyond the last item selects the last item.
int RadioItem(const CardForm& form, const CardField& field, const TCardRec& card)
{
    return std::min<int>(card.byte(field), form.itemCount(field.control) - 1);
}

void Tell(Dialogue& user, Outcome& outcome, const std::string& text)
{
    outcome.note(Message::Info, text);
    user.tell(outcome.messages.back());
}

void ShowClassifierSource(CardForm& form, std::uint8_t source, Dialogue& user, Outcome& outcome)
{
    form.setOkvedSource(source);
    switch (source) {
    case 0:
        Tell(user, outcome, "Необходимо выбрать ОКВЭД(КДЕС2) из справочника");
        form.openClassifierPicker();
        break;
    case 1:
    case 2: form.setCaption(kClassifierCaptionControl, std::string(ClassifierSourceCaption(source))); break;
    default: break;
    }
}

void ShowField(const CardField& field, CardForm& form, EntryLists& lists, const TCardRec& card,
               const std::map<std::string, Date>& dates, Dialogue& user, Outcome& outcome)
{
    switch (field.conversion) {
    case Conversion::None:
    case Conversion::Fixed: break;
    case Conversion::EditText:
    case Conversion::ActivityCode: form.setText(field.control, card.text(field)); break;
    case Conversion::Int32Edit: form.setText(field.control, std::to_string(card.int32(field))); break;
    case Conversion::RadioByte: form.setItemIndex(field.control, RadioItem(form, field, card)); break;
    case Conversion::Date:
        if (auto it = dates.find(field.name); it != dates.end())
            form.setDate(field.control, it->second);
        break;
    case Conversion::District: form.setItemIndex(field.control, DistrictIndexFromCode(card.int32(field))); break;
    case Conversion::ContactSlots: lists.contacts.refillFromCard(card, form.grid(kContactsGrid)); break;
    case Conversion::StaffSlots: lists.staff.refillFromCard(card, form.grid(kStaffGrid)); break;
    case Conversion::ClassifierSource: ShowClassifierSource(form, card.byte(field), user, outcome); break;
    }
    if (field.name == "Inn") {
        const bool valid = InnCheck(form.text(field.control));
        if (!valid)
            Tell(user, outcome, kInnMessage);
        form.markInvalid(field.control, !valid);
    }
}

} // namespace

void CardFromWindow(const CardForm& form, const EntryLists& lists, TCardRec& card)
{
    card.clear();
    SetFixedFields(card);
    for (const CardField& field : CardFields())
        StoreField(field, form, lists, card);
}

Outcome RecordFromWindow(const CardForm& form, const EntryLists& lists, TCardRec& card)
{
    Outcome outcome;
    try {
        CardFromWindow(form, lists, card);
    } catch (const FieldError& e) {
        outcome.refuse(Message::Error, ErrorDisplayText(e.what()), e.control());
    }
    return outcome;
}

Outcome ReadShownDates(const CardForm& form, const TCardRec& card, std::map<std::string, Date>* dates)
{
    Outcome outcome;
    for (const CardField& field : CardFields()) {
        if (field.conversion != Conversion::Date || RadioItem(form, Field(field.shownWhenYes), card) != 1)
            continue;
        try {
            const Date date = StrToDate(card.text(field));
            if (dates)
                (*dates)[field.name] = date;
        } catch (const CardError& e) {
            return outcome.refuse(Message::Error, ErrorDisplayText(e.what()), field.control);
        }
    }
    return outcome;
}

Outcome CardToWindow(CardForm& form, EntryLists& lists, const TCardRec& card, Dialogue& user)
{
    std::map<std::string, Date> dates;
    Outcome outcome = ReadShownDates(form, card, &dates);
    if (!outcome.accepted)
        return outcome;
    std::set<std::string> shown;
    for (const char* name : kShownFirst) {
        ShowField(Field(name), form, lists, card, dates, user, outcome);
        shown.insert(name);
    }
    for (const CardField& field : CardFields())
        if (!shown.count(field.name))
            ShowField(field, form, lists, card, dates, user, outcome);
    return outcome;
}

} // namespace card
