#include "card/record_form.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

#include "card/district.h"

namespace card {
namespace {

// Radio groups offer "Нет"/"Да" (or the two periods); the district list has
// its districts.
int ItemCountOf(const CardField& field) { return field.conversion == Conversion::District ? kDistrictCount : 2; }

[[noreturn]] void ReadOnly(const std::string& what)
{
    throw std::logic_error("a card record seen as a form cannot change: " + what);
}

} // namespace

const CardField& FieldOfControl(const std::string& control)
{
    static const auto byControl = [] {
        std::unordered_map<std::string, const CardField*> map;
        for (const CardField& field : CardFields())
            if (!field.control.empty())
                map.emplace(field.control, &field);
        return map;
    }();
    auto it = byControl.find(control);
    if (it == byControl.end())
        throw std::out_of_range("no card field is held by control " + control);
    return *it->second;
}

std::string RecordForm::text(const std::string& control) const
{
    const CardField& field = FieldOfControl(control);
    if (field.kind == FieldKind::Int32)
        return std::to_string(card_.int32(field));
    return card_.text(field);
}

int RecordForm::itemIndex(const std::string& control) const
{
    const CardField& field = FieldOfControl(control);
    if (field.conversion == Conversion::District)
        return DistrictIndexFromCode(card_.int32(field));
    // A stored byte beyond the last item shows the last item.
    return std::min<int>(card_.byte(field), ItemCountOf(field) - 1);
}

int RecordForm::itemCount(const std::string& control) const { return ItemCountOf(FieldOfControl(control)); }

Date RecordForm::date(const std::string& control) const { return StrToDate(card_.text(FieldOfControl(control))); }

int RecordForm::okvedSource() const { return card_.byte("OkvedSource"); }

void RecordForm::setText(const std::string& control, const std::string&) { ReadOnly(control); }
void RecordForm::setItemIndex(const std::string& control, int) { ReadOnly(control); }
void RecordForm::setDate(const std::string& control, const Date&) { ReadOnly(control); }
void RecordForm::setOkvedSource(int) { ReadOnly("OkvedSource"); }
void RecordForm::setCaption(const std::string& control, const std::string&) { ReadOnly(control); }
Grid& RecordForm::grid(const std::string& control) { ReadOnly(control); }
void RecordForm::openClassifierPicker() { ReadOnly("classifier picker"); }

} // namespace card
