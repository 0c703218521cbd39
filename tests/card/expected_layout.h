#pragma once
// The card file as the file format documents it, written out independently
// of src/card/card_layout.cpp so that the tests catch a slip in either.
// The 70 workplace counts follow at 14004 + 4 * i.
#include <vector>

namespace expected {

enum class Kind { Byte, Int32, Text, Contacts, Staff };

struct FieldAt {
    const char* name;
    int offset;
    Kind kind;
    int n; // Text: N; slot arrays: slot count
    const char* control;
    bool inVersion1;
};

inline const std::vector<FieldAt>& Fields()
{
    static const std::vector<FieldAt> fields = {
        {"FormatVersion", 0, Kind::Byte, 0, "", false},
        {"CardSignature", 1, Kind::Text, 20, "", false},
        {"DistrictCode", 24, Kind::Int32, 0, "CombRn", true},
        {"LegalForm", 28, Kind::Text, 50, "Ed_opf", true},
        {"OrgName", 79, Kind::Text, 250, "Ed_name", true},
        {"OkvedCode", 330, Kind::Text, 8, "Ed_okved", true},
        {"Inn", 339, Kind::Text, 12, "Ed_inn", true},
        {"HeadPosition", 352, Kind::Text, 200, "Ed_doljn", true},
        {"HeadName", 553, Kind::Text, 100, "Ed_fio", true},
        {"Settlement", 654, Kind::Text, 200, "Ed_np", true},
        {"PostalAddress", 855, Kind::Text, 200, "Ed_adr", true},
        {"Contacts", 1056, Kind::Contacts, 11, "ContactList", true},
        {"HasOtService", 3278, Kind::Byte, 0, "RGrpSot", true},
        {"OtStaff", 3279, Kind::Staff, 21, "SotrList", true},
        {"ReportYear", 13884, Kind::Int32, 0, "EdYear", true},
        {"ReportPeriod", 13888, Kind::Byte, 0, "RGrpPeriod", true},
        {"AvgHeadcount", 13892, Kind::Int32, 0, "Edsrsp", true},
        {"InjuredCount", 13896, Kind::Int32, 0, "Ed1den", true},
        {"FatalCount", 13900, Kind::Int32, 0, "Ed1den_Dead", true},
        {"LostWorkdays", 13904, Kind::Int32, 0, "Eddney", true},
        {"OtSpending", 13908, Kind::Text, 10, "EdSredstv", true},
        {"HasCollectiveAgreement", 13919, Kind::Byte, 0, "RGRpDog", true},
        {"AgreementRegistration", 13920, Kind::Text, 30, "EdNomDatUR", true},
        {"HasImprovementMeasures", 13951, Kind::Byte, 0, "RGrpUlutshenie", true},
        {"ManagementCertified", 13952, Kind::Byte, 0, "RGrpAttRuk", true},
        {"HasOtCommission", 13953, Kind::Byte, 0, "RGrpKomissia", true},
        {"HasOtOffice", 13954, Kind::Byte, 0, "RGrpKabOT", true},
        {"AssessmentCompleted", 13955, Kind::Byte, 0, "RGrpOcenka", true},
        {"AssessmentOrderNo", 13956, Kind::Text, 10, "EdNPrikaza", true},
        {"AssessmentDate", 13967, Kind::Text, 10, "DTPrikaza", true},
        {"ExpertiseDone", 13978, Kind::Byte, 0, "RGrpExpertiza", true},
        {"ExpertiseConclusionNo", 13979, Kind::Text, 10, "EdNZaklExp", true},
        {"ExpertiseDate", 13990, Kind::Text, 10, "DTZaklExp", true},
        {"TrainedCount", 14284, Kind::Int32, 0, "EdEduc", true},
        {"OkvedSource", 14288, Kind::Byte, 0, "Ed_okved", false},
    };
    return fields;
}

inline constexpr int kWorkplaceCountsOffset = 14004;
inline constexpr int kContactSlotBytes = 202;
inline constexpr int kStaffSlotBytes = 505;
inline constexpr int kSlotTextBytes = 101;

// Bytes no value covers: the gaps and Reserved.
struct Range {
    int from;
    int to; // inclusive
};
inline const std::vector<Range> kUncovered = {{22, 23}, {13889, 13891}, {14001, 14003}, {14289, 14399}};

} // namespace expected
