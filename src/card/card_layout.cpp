#include "card/card_layout.h"

#include <stdexcept>
#include <unordered_map>

#include "card/workplace_counts.h"

namespace card {
namespace {

constexpr int kSlotTextBytes = kSlotTextChars + 1;

using K = FieldKind;
using C = Conversion;

struct Row {
    const char* name;
    int offset;
    FieldKind kind;
    int length;
    const char* control;
    Conversion conversion;
    bool inVersion1;
    const char* shownWhenYes = "";
};

// The record, in file order. The 70 workplace counts are expanded after
// ExpertiseDate's gap (see BuildFields).
const Row kHead[] = {
    {"FormatVersion", 0, K::Byte, 0, "", C::Fixed, false},
    {"CardSignature", 1, K::Text, 20, "", C::Fixed, false},
    {"gap", 22, K::Unused, 2, "", C::None, false},
    {"DistrictCode", 24, K::Int32, 0, "CombRn", C::District, true},
    {"LegalForm", 28, K::Text, 50, "Ed_opf", C::EditText, true},
    {"OrgName", 79, K::Text, 250, "Ed_name", C::EditText, true},
    {"OkvedCode", 330, K::Text, 8, "Ed_okved", C::ActivityCode, true},
    {"Inn", 339, K::Text, 12, "Ed_inn", C::EditText, true},
    {"HeadPosition", 352, K::Text, 200, "Ed_doljn", C::EditText, true},
    {"HeadName", 553, K::Text, 100, "Ed_fio", C::EditText, true},
    {"Settlement", 654, K::Text, 200, "Ed_np", C::EditText, true},
    {"PostalAddress", 855, K::Text, 200, "Ed_adr", C::EditText, true},
    {"Contacts", 1056, K::ContactSlots, kContactSlotCount, "ContactList", C::ContactSlots, true},
    {"HasOtService", 3278, K::Byte, 0, "RGrpSot", C::RadioByte, true},
    {"OtStaff", 3279, K::StaffSlots, kStaffSlotCount, "SotrList", C::StaffSlots, true},
    {"ReportYear", 13884, K::Int32, 0, "EdYear", C::Int32Edit, true},
    {"ReportPeriod", 13888, K::Byte, 0, "RGrpPeriod", C::RadioByte, true},
    {"gap", 13889, K::Unused, 3, "", C::None, false},
    {"AvgHeadcount", 13892, K::Int32, 0, "Edsrsp", C::Int32Edit, true},
    {"InjuredCount", 13896, K::Int32, 0, "Ed1den", C::Int32Edit, true},
    {"FatalCount", 13900, K::Int32, 0, "Ed1den_Dead", C::Int32Edit, true},
    {"LostWorkdays", 13904, K::Int32, 0, "Eddney", C::Int32Edit, true},
    {"OtSpending", 13908, K::Text, 10, "EdSredstv", C::EditText, true},
    {"HasCollectiveAgreement", 13919, K::Byte, 0, "RGRpDog", C::RadioByte, true},
    {"AgreementRegistration", 13920, K::Text, 30, "EdNomDatUR", C::EditText, true},
    {"HasImprovementMeasures", 13951, K::Byte, 0, "RGrpUlutshenie", C::RadioByte, true},
    {"ManagementCertified", 13952, K::Byte, 0, "RGrpAttRuk", C::RadioByte, true},
    {"HasOtCommission", 13953, K::Byte, 0, "RGrpKomissia", C::RadioByte, true},
    {"HasOtOffice", 13954, K::Byte, 0, "RGrpKabOT", C::RadioByte, true},
    {"AssessmentCompleted", 13955, K::Byte, 0, "RGrpOcenka", C::RadioByte, true},
    {"AssessmentOrderNo", 13956, K::Text, 10, "EdNPrikaza", C::EditText, true},
    {"AssessmentDate", 13967, K::Text, 10, "DTPrikaza", C::Date, true, "AssessmentCompleted"},
    {"ExpertiseDone", 13978, K::Byte, 0, "RGrpExpertiza", C::RadioByte, true},
    {"ExpertiseConclusionNo", 13979, K::Text, 10, "EdNZaklExp", C::EditText, true},
    {"ExpertiseDate", 13990, K::Text, 10, "DTZaklExp", C::Date, true, "ExpertiseDone"},
    {"gap", 14001, K::Unused, 3, "", C::None, false},
};

const Row kTail[] = {
    {"TrainedCount", 14284, K::Int32, 0, "EdEduc", C::Int32Edit, true},
    {"OkvedSource", 14288, K::Byte, 0, "Ed_okved", C::ClassifierSource, false},
    {"Reserved", 14289, K::Unused, 111, "", C::None, false},
};

CardField FromRow(const Row& row)
{
    return CardField{row.name,    row.offset,     row.kind,       row.length,
                     row.control, row.conversion, row.inVersion1, row.shownWhenYes};
}

std::vector<CardField> BuildFields()
{
    std::vector<CardField> fields;
    for (const Row& row : kHead)
        fields.push_back(FromRow(row));
    for (int i = 0; i < kWorkplaceCountTotal; ++i)
        fields.push_back(CardField{"WorkplaceCounts[" + std::to_string(i) + "]", kWorkplaceCountsOffset + 4 * i,
                                   K::Int32, 0, WorkplaceControlName(i), C::Int32Edit, true, ""});
    for (const Row& row : kTail)
        fields.push_back(FromRow(row));
    return fields;
}

} // namespace

int CardField::byteSize() const
{
    switch (kind) {
    case K::Byte: return 1;
    case K::Int32: return 4;
    case K::Text: return length + 1;
    case K::ContactSlots: return length * kContactSlotTexts * kSlotTextBytes;
    case K::StaffSlots: return length * kStaffSlotTexts * kSlotTextBytes;
    case K::Unused: return length;
    }
    return 0;
}

int CardField::slotTexts() const
{
    return kind == K::ContactSlots ? kContactSlotTexts : kind == K::StaffSlots ? kStaffSlotTexts : 0;
}

const std::vector<CardField>& CardFields()
{
    static const std::vector<CardField> fields = BuildFields();
    return fields;
}

const CardField& Field(std::string_view name)
{
    static const auto byName = [] {
        std::unordered_map<std::string_view, const CardField*> map;
        for (const CardField& field : CardFields())
            if (field.kind != K::Unused)
                map.emplace(field.name, &field);
        return map;
    }();
    auto it = byName.find(name);
    if (it == byName.end())
        throw std::out_of_range("card record has no field " + std::string(name));
    return *it->second;
}

int SlotTextOffset(const CardField& slots, int slot, int column)
{
    const int texts = slots.slotTexts();
    if (texts == 0 || slot < 0 || slot >= slots.length || column < 0 || column >= texts)
        throw std::out_of_range("bad slot text of " + slots.name);
    return slots.offset + (slot * texts + column) * kSlotTextBytes;
}

} // namespace card
