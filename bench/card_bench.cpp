// Card core timings: one save-and-load of a card file, the INN check and
// refilling a list from a loaded card.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "card/card_file_store.h"
#include "card/entry_lists.h"
#include "card/inn.h"

namespace {

class NullGrid final : public card::Grid {
public:
    int rowCount() const override { return 22; }
    void clearRow(int) override {}
    void setCell(int, int, const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
};

void FillCard(card::TCardRec& rec)
{
    card::SetFixedFields(rec);
    rec.setText("OrgName", "ООО \"Ромашка\" — производство и торговля");
    rec.setText("Inn", "7707083893");
    rec.setInt32("ReportYear", 2014);
    const auto& contacts = card::Field("Contacts");
    const auto& staff = card::Field("OtStaff");
    for (int s = 0; s < contacts.length; ++s)
        for (int c = 0; c < contacts.slotTexts(); ++c)
            rec.setSlotText(contacts, s, c, "Контакт " + std::to_string(s));
    for (int s = 0; s < staff.length; ++s)
        for (int c = 0; c < staff.slotTexts(); ++c)
            rec.setSlotText(staff, s, c, "Сотрудник службы охраны труда " + std::to_string(s));
}

void BM_WriteThenReadCard(benchmark::State& state)
{
    const auto folder = std::filesystem::temp_directory_path() / "unra5-card-bench";
    std::filesystem::create_directories(folder);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);

    card::CardFileStore store;
    FillCard(store.card());
    const std::string name = store.CardFileName();
    for (auto _ : state) {
        store.WriteCardFile(name);
        benchmark::DoNotOptimize(store.ReadCardFile(name));
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteThenReadCard)->Unit(benchmark::kMicrosecond);

void BM_InnCheck(benchmark::State& state)
{
    const std::string inns[] = {"7707083893", "500100732259", "7707083894", "77070838 3"};
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(card::InnCheck(inns[i++ & 3]));
}
BENCHMARK(BM_InnCheck);

void BM_RefillFromCard(benchmark::State& state)
{
    card::TCardRec rec;
    FillCard(rec);
    card::EntryLists lists;
    NullGrid grid;
    for (auto _ : state) {
        lists.contacts.refillFromCard(rec, grid);
        lists.staff.refillFromCard(rec, grid);
        benchmark::DoNotOptimize(lists.staff.count());
    }
}
BENCHMARK(BM_RefillFromCard);

} // namespace
