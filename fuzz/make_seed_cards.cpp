// Writes the seed corpus of the card reader's fuzz target: a few real cards
// through the card core's own write path, into the folder given as argument;
// with a second folder, the seeds of the register's target there too (a file
// name, a NUL, the file's bytes).
//   make_seed_cards fuzz/corpus fuzz/register_corpus
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "card/card_file_store.h"
#include "card/entry_lists.h"
#include "card/workplace_counts.h"
#include "support/fake_form.h"

namespace {

using Contact = card::ContactList::Slot;
using Staff = card::SotrList::Slot;

// A small enterprise: first half-year, two contacts, no service, no assessment.
void SmallEnterprise(card::TCardRec& rec)
{
    rec.setInt32("DistrictCode", 3);
    rec.setText("LegalForm", "ООО");
    rec.setText("OrgName", "Ромашка");
    rec.setText("OkvedCode", "01.11");
    rec.setText("Inn", "5000000000");
    rec.setText("HeadPosition", "Директор");
    rec.setText("HeadName", "Иванов Иван Иванович");
    rec.setText("Settlement", "с. Берёзовка");
    rec.setText("PostalAddress", "ул. Садовая, 1");
    rec.setInt32("ReportYear", 2014);
    rec.setByte("ReportPeriod", 0);
    rec.setInt32("AvgHeadcount", 12);
    rec.setText("OtSpending", "15,6");
    rec.setByte("OkvedSource", 1);

    FakeForm form;
    card::EntryLists lists;
    lists.contacts.accept(card::DialogMode::Add, Contact{"Телефон", "8 (800) 000-00-00"}, form.contactsGrid);
    lists.contacts.accept(card::DialogMode::Add, Contact{"E-mail", "info@example.ru"}, form.contactsGrid);
    lists.contacts.storeIntoCard(rec);
}

// A large enterprise: annual card, every list full, the service, the
// assessment with its dates, a count in every workplace edit.
void LargeEnterprise(card::TCardRec& rec)
{
    rec.setInt32("DistrictCode", 14);
    rec.setText("LegalForm", "ПАО");
    rec.setText("OrgName", "\"Северный металлургический комбинат\" имени А. С. Пушкина");
    rec.setText("OkvedCode", "24.10");
    rec.setText("Inn", "100000000074");
    rec.setText("HeadPosition", "Генеральный директор");
    rec.setText("HeadName", "Петрова Мария Сергеевна");
    rec.setText("Settlement", "г. Череповец");
    rec.setText("PostalAddress", "162600, Вологодская обл., г. Череповец, ул. Мира, д. 30");
    rec.setByte("HasOtService", 1);
    rec.setInt32("ReportYear", 2015);
    rec.setByte("ReportPeriod", 1);
    rec.setInt32("AvgHeadcount", 48213);
    rec.setInt32("InjuredCount", 17);
    rec.setInt32("FatalCount", 1);
    rec.setInt32("LostWorkdays", 934);
    rec.setText("OtSpending", "120350,75");
    rec.setByte("HasCollectiveAgreement", 1);
    rec.setText("AgreementRegistration", "№ 114 от 12.02.2015");
    for (const char* yes : {"HasImprovementMeasures", "ManagementCertified", "HasOtCommission", "HasOtOffice",
                            "AssessmentCompleted", "ExpertiseDone"})
        rec.setByte(yes, 1);
    rec.setText("AssessmentDate", "31.12.2014");
    rec.setText("ExpertiseConclusionNo", "Э-77/15");
    rec.setText("ExpertiseDate", "05.03.2015");
    for (int i = 0; i < card::kWorkplaceCountTotal; ++i)
        rec.setInt32("WorkplaceCounts[" + std::to_string(i) + "]", 100 * (i / 5 + 1) - 9 * (i % 5));
    rec.setInt32("TrainedCount", 5120);
    rec.setByte("OkvedSource", 2);

    FakeForm form;
    card::EntryLists lists;
    for (int k = 0; k < card::kContactSlotCount; ++k)
        lists.contacts.accept(card::DialogMode::Add,
                              Contact{"Телефон " + std::to_string(k + 1), "8 (8202) 53-00-" + std::to_string(10 + k)},
                              form.contactsGrid);
    for (int k = 0; k < card::kStaffSlotCount; ++k)
        lists.staff.accept(card::DialogMode::Add,
                           Staff{"Специалист по охране труда", "Сотрудник " + std::to_string(k + 1),
                                 "У-" + std::to_string(2000 + k), "1" + std::to_string(k % 9) + ".04.2013",
                                 "Учебный центр \"Охрана труда\""},
                           form.staffGrid);
    lists.contacts.storeIntoCard(rec);
    lists.staff.storeIntoCard(rec);
}

// Texts a spreadsheet would run or read as numbers and dates, and a typed
// amount with a point and a space.
void TextsLikeFormulas(card::TCardRec& rec)
{
    SmallEnterprise(rec);
    rec.setText("LegalForm", "+7");
    rec.setText("OrgName", "=HYPERLINK(\"http://example.ru\";\"Ромашка\")");
    rec.setText("Inn", "0000000000");
    rec.setText("OkvedCode", "01.11");
    rec.setText("OtSpending", "1 200.5");
}

std::string ReadBytes(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteRegisterSeed(const std::filesystem::path& folder, const std::string& seed, const std::string& fileName,
                       const std::string& bytes)
{
    std::ofstream(folder / seed, std::ios::binary) << fileName << '\0' << bytes;
    std::printf("%s\n", (folder / seed).string().c_str());
}

void Write(card::CardFileStore& store, void (*fill)(card::TCardRec&), const std::string& name)
{
    store.clearCard();
    fill(store.card());
    card::SetFixedFields(store.card());
    store.WriteCardFile(name);
    std::printf("%s\n", name.c_str());
}

// A version-1 card holds the fields of version 2 at the same offsets and ends
// before OkvedSource: the first 14288 bytes of a written card.
void WriteVersion1(const std::string& from, const std::string& name)
{
    std::vector<char> bytes(card::kCardRecV1Size);
    std::ifstream(from, std::ios::binary).read(bytes.data(), card::kCardRecV1Size);
    std::ofstream(name, std::ios::binary).write(bytes.data(), card::kCardRecV1Size);
    std::printf("%s\n", name.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <corpus folder> [<register corpus folder>]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path registerFolder = argc == 3 ? std::filesystem::absolute(argv[2]) : "";
    std::filesystem::create_directories(argv[1]);
    std::filesystem::current_path(argv[1]); // the store writes into the current folder
    card::CardFileStore store;
    Write(store, SmallEnterprise, "v2_small_half_year.crd");
    Write(store, LargeEnterprise, "v2_large_annual.crd");
    WriteVersion1("v2_large_annual.crd", "v1_large_annual.crd");
    if (registerFolder.empty())
        return 0;

    std::filesystem::create_directories(registerFolder);
    const std::string formulas = "formulas.crd"; // the store writes plain names only, beside the others
    store.clearCard();
    TextsLikeFormulas(store.card());
    card::SetFixedFields(store.card());
    store.WriteCardFile(formulas);
    WriteRegisterSeed(registerFolder, "small_card", "3_Ромашка_2014_1 полугодие.crd",
                      ReadBytes("v2_small_half_year.crd"));
    WriteRegisterSeed(registerFolder, "formulas", "=HYPERLINK(1)+1.crd", ReadBytes(formulas));
    // "Альфа" in Windows-1251: a name that is no UTF-8.
    WriteRegisterSeed(registerFolder, "name_not_utf8", "\xC0\xEB\xFC\xF4\xE0.crd", ReadBytes("v1_large_annual.crd"));
    WriteRegisterSeed(registerFolder, "refused", "_x0041_.crd", "no card");
    std::filesystem::remove(formulas);
    return 0;
}
