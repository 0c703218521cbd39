#include "register/register_row.h"

#include <algorithm>
#include <optional>

#include "card/card_captions.h"
#include "card/card_file_store.h"
#include "card/entry_lists.h"
#include "card/errors.h"
#include "card/inn.h"
#include "card/record_form.h"
#include "card/short_date.h"
#include "card/utf8.h"
#include "card/validation.h"
#include "register/message_capture.h"

namespace reg {
namespace {

class NoGrid final : public card::Grid {
public:
    int rowCount() const override { return 0; }
    void clearRow(int) override {}
    void setCell(int, int, const std::string&) override {}
};

// The card program refuses to show a card whose shown date it cannot read,
// with the error display's text, which names no field: the register puts the
// field's caption in front, since its row is no window that shows where.
std::optional<std::string> UnreadableShownDate(const card::TCardRec& card, const card::RecordForm& form)
{
    for (const card::CardField& field : card::CardFields()) {
        if (field.conversion != card::Conversion::Date)
            continue;
        if (form.itemIndex(card::Field(field.shownWhenYes).control) != 1)
            continue;
        try {
            card::StrToDate(card.text(field));
        } catch (const card::CardError& e) {
            return std::string(card::CaptionOf(field.control).caption) + ": " + card::ErrorDisplayText(e.what());
        }
    }
    return std::nullopt;
}

// The first refusal the card program would give for this card, from loading
// it to saving it unchanged; nullopt when it would save it.
std::optional<std::string> FirstRefusal(const card::TCardRec& card, const card::SotrList& staff, MessageCapture& said)
{
    card::RecordForm form(card);
    if (auto date = UnreadableShownDate(card, form))
        return date;
    said.clear();
    try {
        if (card::ValidateCard(form, staff))
            return std::nullopt;
    } catch (const card::CardError& e) {
        return card::ErrorDisplayText(e.what());
    }
    if (said.infos.empty())
        return std::string("?");
    return said.infos.back();
}

} // namespace

void FillRegisterRow(const card::TCardRec& card, RegisterRow& row)
{
    row.districtCode = card.int32("DistrictCode");
    row.legalForm = card.text("LegalForm");
    row.orgName = card.text("OrgName");
    row.inn = card.text("Inn");
    row.innValid = card::InnCheck(row.inn);
    row.okvedCode = card.text("OkvedCode");
    row.okvedSource = card.byte("OkvedSource");
    row.year = card.int32("ReportYear");
    row.period = std::min<int>(card.byte("ReportPeriod"), 1);
    row.headcount = card.int32("AvgHeadcount");
    row.injured = card.int32("InjuredCount");
    row.fatal = card.int32("FatalCount");
    row.lostDays = card.int32("LostWorkdays");
    row.spending = card.text("OtSpending");
    for (int c = 0; c < card::kWorkplaceClassCount; ++c)
        for (int side = 0; side < card::kWorkplaceSideCount; ++side)
            row.workplaces[WorkplaceColumn(c, side)]
                = card.int32At(card::WorkplaceCountOffset(c, side, card::kWorkplaces));
    row.trained = card.int32("TrainedCount");
    row.hasService = card.byte("HasOtService") != 0;
    row.collectiveAgreement = card.byte("HasCollectiveAgreement") != 0;
    row.improvementMeasures = card.byte("HasImprovementMeasures") != 0;
    row.managementCertified = card.byte("ManagementCertified") != 0;
    row.otCommission = card.byte("HasOtCommission") != 0;
    row.otOffice = card.byte("HasOtOffice") != 0;
    row.assessmentDone = card.byte("AssessmentCompleted") != 0;
    row.assessmentDate = row.assessmentDone ? card.text("AssessmentDate") : std::string();
    row.expertiseDone = card.byte("ExpertiseDone") != 0;
    row.expertiseDate = row.expertiseDone ? card.text("ExpertiseDate") : std::string();

    card::SotrList staff;
    NoGrid noGrid;
    staff.refillFromCard(card, noGrid);
    row.serviceStaff = staff.count();

    MessageCapture said;
    const std::optional<std::string> refusal = FirstRefusal(card, staff, said);
    row.state = refusal ? CardState::Faulty : CardState::Ok;
    row.stateText = refusal ? *refusal : kStateOk;
    row.remarks = said.questions;
}

RegisterRow ReadRegisterRow(const std::string& path, const std::string& shownName)
{
    RegisterRow row;
    row.file = card::ValidUtf8(shownName);
    row.path = path;
    MessageCapture said;
    card::CardFileStore store;
    bool accepted = false;
    try {
        accepted = store.ReadCardFile(path);
    } catch (const card::CardError& e) {
        row.stateText = card::ErrorDisplayText(e.what());
        return row;
    }
    if (!accepted) {
        row.stateText = said.infos.empty() ? std::string(card::kMsgLoadFailed) : said.infos.back();
        return row;
    }
    const bool version1 = std::find(said.infos.begin(), said.infos.end(), card::kMsgVersion1Loaded) != said.infos.end();
    row.version = version1 ? 1 : 2;
    FillRegisterRow(store.card(), row);
    return row;
}

} // namespace reg
