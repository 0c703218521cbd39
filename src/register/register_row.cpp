#include "register/register_row.h"

#include <algorithm>

#include "card/card_captions.h"
#include "card/card_file_store.h"
#include "card/card_transfer.h"
#include "card/entry_lists.h"
#include "card/errors.h"
#include "card/inn.h"
#include "card/outcome.h"
#include "card/record_form.h"
#include "card/utf8.h"
#include "card/validation.h"

namespace reg {
namespace {

class NoGrid final : public card::Grid {
public:
    int rowCount() const override { return 0; }
    void clearRow(int) override {}
    void setCell(int, int, const std::string&) override {}
};

// A question does not stop the card: the register answers "Да" and keeps
// the question as a remark.
class AnswersYes final : public card::Dialogue {
public:
    card::Answer ask(const std::string&, card::Answer) override { return card::Answer::Yes; }
    void tell(const card::Message&) override {}
};

// What the card program would say from loading this card to saving it
// unchanged: its first refusal, or acceptance.
card::Outcome LoadThenSave(const card::TCardRec& card, const card::SotrList& staff)
{
    card::RecordForm form(card);
    card::Outcome shown = card::ReadShownDates(form, card);
    if (!shown.accepted) {
        // The card program's error display names no field, as its window shows
        // where; the register's row shows nowhere, so the field's caption goes
        // in front.
        std::string& text = shown.messages.back().text;
        text = std::string(card::CaptionOf(shown.field).caption) + ": " + text;
        return shown;
    }
    AnswersYes user;
    return card::ValidateCard(form, staff, user);
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

    const card::Outcome outcome = LoadThenSave(card, staff);
    row.state = outcome.accepted ? CardState::Ok : CardState::Faulty;
    row.stateText = outcome.accepted ? std::string(kStateOk) : outcome.refusal();
    row.remarks = outcome.questions;
}

RegisterRow ReadRegisterRow(const std::string& path, const std::string& shownName)
{
    RegisterRow row;
    row.file = card::ValidUtf8(shownName);
    row.path = path;
    card::CardFileStore store;
    card::Outcome read;
    try {
        read = store.ReadCardFile(path);
    } catch (const card::CardError& e) {
        row.stateText = card::ErrorDisplayText(e.what());
        return row;
    }
    if (!read.accepted) {
        row.stateText = read.refusal();
        return row;
    }
    row.version = read.version;
    FillRegisterRow(store.card(), row);
    return row;
}

} // namespace reg
