#pragma once
// The texts the card window writes beside the card's values: the caption and
// unit of each field, the column titles of the two lists, the district list,
// the yes/no items. Written once here, so the window's pages and the printed
// card (and any other program on this core) say the same thing.
#include <array>
#include <string_view>

#include "card/card_layout.h"
#include "card/district.h"

namespace card {

struct FieldCaption {
    std::string_view control; // objectName of the field
    std::string_view caption; // text left of the field
    std::string_view unit;    // text right of it, or empty
};

// The caption of the field `control` on the enterprise, service or state
// page, or of the training count; std::out_of_range for another name.
const FieldCaption& CaptionOf(std::string_view control);

inline constexpr std::array<std::string_view, 2> kYesNoItems{"Нет", "Да"};

inline constexpr std::string_view kContactsCaption = "Контактная информация";
inline constexpr std::array<std::string_view, kContactSlotTexts> kContactColumns{"Тип контакта", "Данные контакта"};
inline constexpr std::string_view kStaffCaption = "Работники службы охраны труда:";
inline constexpr std::array<std::string_view, kStaffSlotTexts> kStaffColumns{"Должность", "ФИО", "№ удостоверения",
                                                                             "Дата выдачи", "Кем выдано"};

// The entries of the district list CombRn, in item order.
inline constexpr std::array<std::string_view, kDistrictCount> kDistrictNames{
    "Г. НАЛЬЧИК",     "Г. БАКСАН",     "Г. ПРОХЛАДНЫЙ",      "БАКСАНСКИЙ Р-Н", "ЗОЛЬСКИЙ Р-Н",
    "ЛЕСКЕНСКИЙ Р-Н", "МАЙСКИЙ Р-Н",   "ПРОХЛАДНЕНСКИЙ Р-Н", "ТЕРСКИЙ Р-Н",    "УРВАНСКИЙ Р-Н",
    "ЧЕГЕМСКИЙ Р-Н",  "ЧЕРЕКСКИЙ Р-Н", "ЭЛЬБРУССКИЙ Р-Н",
};

// The caption beside the activity code for classifier source 1 or 2; empty
// for any other source.
std::string_view ClassifierSourceCaption(int source);

} // namespace card
