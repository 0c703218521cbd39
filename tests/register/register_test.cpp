#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>

#include "card/card_file_store.h"
#include "card/district_names.h"
#include "register/register_cli.h"
#include "register/register_export.h"
#include "register/register_reader.h"
#include "register/register_summary.h"
#include "register/register_table.h"
#include "register_cards.h"
#include "support/csv_reading.h"
#include "support/temp_folder.h"

namespace {

using regtest::Expected;

std::map<std::string, const reg::RegisterRow*> ByFile(const std::vector<reg::RegisterRow>& rows)
{
    std::map<std::string, const reg::RegisterRow*> byFile;
    for (const auto& row : rows)
        byFile[row.file] = &row;
    return byFile;
}

double Column(const std::vector<reg::Cell>& cells, const std::string& header)
{
    const auto& columns = reg::RegisterColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].header == header)
            return cells[i].number.value_or(-1);
    ADD_FAILURE() << "no column " << header;
    return -1;
}

// Stored values the window shows otherwise than they stand: the register
// shows them as the window would.
TEST(RegisterRow, ShowsStoredValuesAsTheCardWindowWould)
{
    const auto& columns = reg::RegisterColumns();
    const auto cellOf = [&](const reg::RegisterRow& row, const std::string& header) {
        for (const auto& column : columns)
            if (column.header == header)
                return column.cell(row);
        return reg::Cell{"no column " + header, std::nullopt};
    };
    struct Case {
        const char* name;
        void (*change)(card::TCardRec&);
        const char* header;
        reg::Cell cell;
        const char* state;
    };
    const Case cases[] = {
        {"radio byte 7 is Да: no question about the service",
         [](card::TCardRec& r) {
             r.setByte("HasOtService", 7);
             for (int s = 0; s < 3; ++s)
                 r.setSlotText(card::Field("OtStaff"), s, 0, "Инженер");
         },
         "Служба ОТ",
         {"Да", std::nullopt},
         "в порядке"},
        {"district 14 is the last one",
         [](card::TCardRec& r) { r.setInt32("DistrictCode", 14); },
         "Район",
         {"ЭЛЬБРУССКИЙ Р-Н", std::nullopt},
         "в порядке"},
        {"district 15 is none",
         [](card::TCardRec& r) { r.setInt32("DistrictCode", 15); },
         "Район",
         {"код 15", std::nullopt},
         "в порядке"},
        {"period byte 5 is annual",
         [](card::TCardRec& r) { r.setByte("ReportPeriod", 5); },
         "Период",
         {"Годовой", std::nullopt},
         "в порядке"},
        {"spending with a thousands space",
         [](card::TCardRec& r) { r.setText("OtSpending", "1 200,5"); },
         "Затраты на ОТ, тыс. руб.",
         {"1 200,5", 1200.5},
         "в порядке"},
        {"spending that is no number",
         [](card::TCardRec& r) { r.setText("OtSpending", "н/д"); },
         "Затраты на ОТ, тыс. руб.",
         {"н/д", std::nullopt},
         "в порядке"},
        {"workplaces: period equal to total passes",
         [](card::TCardRec& r) {
             r.setInt32At(card::WorkplaceCountOffset(6, card::kWorkplacePeriod, card::kWorkplaces), 10);
             r.setInt32At(card::WorkplaceCountOffset(6, card::kWorkplaceTotal, card::kWorkplaces), 10);
         },
         "Раб. мест кл. 4 в периоде",
         {"", 10},
         "в порядке"},
        {"assessment done: its order date shows",
         [](card::TCardRec& r) {
             r.setByte("AssessmentCompleted", 1);
             r.setText("AssessmentDate", "15.03.2014");
         },
         "Дата приказа о спецоценке",
         {"15.03.2014", std::nullopt},
         "в порядке"},
        {"no expertise: a stored date is not shown",
         [](card::TCardRec& r) { r.setText("ExpertiseDate", "15.03.2014"); },
         "Дата заключения экспертизы",
         {"", std::nullopt},
         "в порядке"},
        {"commission byte 7 is Да",
         [](card::TCardRec& r) { r.setByte("HasOtCommission", 7); },
         "Комиссия по ОТ",
         {"Да", std::nullopt},
         "в порядке"},
        {"a tab counts as filled",
         [](card::TCardRec& r) { r.setText("HeadName", "\t"); },
         "Состояние",
         {"в порядке", std::nullopt},
         "в порядке"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        card::TCardRec rec = regtest::GoodCard("Ромашка", "7707083893");
        c.change(rec);
        reg::RegisterRow row;
        reg::FillRegisterRow(rec, row);
        EXPECT_EQ(cellOf(row, c.header), c.cell);
        EXPECT_EQ(row.stateText, c.state);
        EXPECT_TRUE(row.remarks.empty());
    }
}

// The district column, the district filter and the district view agree on
// every stored code (the last district shows codes 13 and 14), and a code
// outside the list gets a view row of its own, however far out it lies.
TEST(RegisterDistricts, ColumnFilterAndViewAgreeOnEveryCode)
{
    const std::int32_t codes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15, -988, INT32_MIN, INT32_MAX};
    std::vector<reg::RegisterRow> rows(std::size(codes));
    for (std::size_t i = 0; i < rows.size(); ++i)
        reg::FillRegisterRow(regtest::GoodCard("Ромашка", "7707083893", 2014, 1, codes[i]), rows[i]);
    const auto all = reg::Pointers(rows);
    for (int item = 0; item < card::kDistrictCount; ++item) {
        SCOPED_TRACE(item);
        reg::RegisterFilter filter;
        filter.district = item;
        std::vector<std::int32_t> shown;
        for (const reg::RegisterRow* row : all) {
            if (!reg::Matches(*row, filter))
                continue;
            shown.push_back(row->districtCode);
            EXPECT_EQ(reg::RegisterColumns()[reg::kColumnDistrict].cell(*row).text, card::DistrictName(item));
        }
        const std::vector<std::int32_t> expected
            = item == 12 ? std::vector<std::int32_t>{13, 14} : std::vector<std::int32_t>{item + 1};
        EXPECT_EQ(shown, expected);
    }
    const auto view = reg::DistrictRows(all);
    ASSERT_EQ(view.size(), 13u + 5u);
    for (int item = 0; item < card::kDistrictCount; ++item) {
        EXPECT_EQ(view[item][0].text, card::DistrictName(item));
        EXPECT_EQ(view[item][1].number, item == 12 ? 2 : 1);
    }
    const char* outside[] = {"код -2147483648", "код -988", "без района", "код 15", "код 2147483647"};
    for (std::size_t k = 0; k < std::size(outside); ++k) {
        EXPECT_EQ(view[13 + k][0].text, outside[k]);
        EXPECT_EQ(view[13 + k][1].number, 1);
    }
}

class RegisterFolder : public testing::Test {
protected:
    void SetUp() override
    {
        expected_ = regtest::MakeSampleFolder(folder_.path());
        before_ = regtest::Snapshot(folder_.path());
    }
    // Reading never changes a byte or a modification time of any file.
    void TearDown() override { EXPECT_TRUE(regtest::Snapshot(folder_.path()) == before_); }

    std::string root() const
    {
        const auto text = folder_.path().u8string();
        return std::string(text.begin(), text.end());
    }

    TempFolder folder_;
    std::vector<Expected> expected_;
    std::map<std::filesystem::path, regtest::FileState> before_;
};

TEST_F(RegisterFolder, EveryCardFileBecomesOneRowWithTheCardProgramsVerdict)
{
    const std::vector<reg::RegisterRow> rows = reg::ReadRegister({root()}, 3);
    ASSERT_EQ(rows.size(), expected_.size());
    const auto byFile = ByFile(rows);
    for (const Expected& e : expected_) {
        SCOPED_TRACE(e.file);
        ASSERT_TRUE(byFile.count(e.file));
        const reg::RegisterRow& row = *byFile.at(e.file);
        EXPECT_EQ(row.stateText, e.state);
        EXPECT_EQ(row.version, e.version);
        EXPECT_EQ(row.repeatFiles, e.repeats);
        EXPECT_EQ(row.state,
                  e.version == 0                 ? reg::CardState::Refused
                      : e.state == reg::kStateOk ? reg::CardState::Ok
                                                 : reg::CardState::Faulty);
        EXPECT_EQ(row.remarks, e.remark.empty() ? std::vector<std::string>{} : std::vector<std::string>{e.remark});
    }
    const reg::RegisterRow& good = *byFile.at("Баксан/4_Берёзка_2014_1 полугодие .crd");
    EXPECT_EQ(good.orgName, "Берёзка");
    EXPECT_EQ(good.districtCode, 4);
    EXPECT_EQ(good.period, 0);
    EXPECT_EQ(good.workplaces[reg::WorkplaceColumn(0, card::kWorkplacePeriod)], 4);
    EXPECT_FALSE(byFile.at("ошибки/инн.crd")->innValid);
    EXPECT_EQ(byFile.at("служба.crd")->serviceStaff, 3);
}

TEST_F(RegisterFolder, TotalsDistrictsAndSummaryCountWhatIsShown)
{
    std::vector<reg::RegisterRow> rows = reg::ReadRegister({root()});
    const auto all = reg::Pointers(rows);
    // 7 cards in order, the version-1 card and 11 faulty ones; 4 refused files.
    EXPECT_EQ(reg::SummaryLine(reg::CountRows(all)),
              "Прочитано карточек: 19, не прочитано файлов: 4, с ошибками: 12, повторов: 2");
    // One of the two repeats counts; the years are mixed, so nothing is added.
    const auto totals = reg::TotalsRow(all);
    EXPECT_EQ(totals[reg::kColumnFile].text, "Итого карточек: 18, с ошибками: 12; суммы: выберите год и период");
    EXPECT_FALSE(totals[reg::kColumnFile + 9].number);
    // 2014 annual: Ромашка, the repeat that counts, Служба, Версия один
    // (faulty): headcount 100 + 10 + 100 + 100, spending 4 × 15,5.
    std::vector<const reg::RegisterRow*> annual2014;
    for (const auto* row : all)
        if (row->read() && row->year == 2014 && row->period == 1)
            annual2014.push_back(row);
    const auto sums = reg::TotalsRow(annual2014);
    EXPECT_EQ(sums[reg::kColumnFile].text, "Итого карточек: 4, с ошибками: 1");
    EXPECT_EQ(Column(sums, "Среднесписочная численность"), 310);
    EXPECT_EQ(Column(sums, "Затраты на ОТ, тыс. руб."), 62);
    EXPECT_EQ(Column(sums, "Раб. мест кл. 1 всего"), 40);

    struct Case {
        reg::RegisterFilter filter;
        int shown;
    };
    const auto filter = [](std::optional<std::int32_t> district, std::optional<std::int32_t> year,
                           std::optional<int> period, std::optional<reg::StateFilter> state) {
        reg::RegisterFilter f;
        f.district = district;
        f.year = year;
        f.period = period;
        f.state = state;
        return f;
    };
    const auto none = std::nullopt;
    const Case cases[] = {
        {filter(none, none, none, none), 23},
        {filter(none, none, none, reg::StateFilter::Ok), 7},
        {filter(none, none, none, reg::StateFilter::Faulty), 12},
        {filter(none, none, none, reg::StateFilter::Refused), 4},
        {filter(none, none, none, reg::StateFilter::Repeats), 2},
        {filter(3, none, none, none), 2}, // the fourth district: code 4
        {filter(none, 2015, none, none), 1},
        {filter(none, 2014, 0, none), 2},
    };
    for (const Case& c : cases) {
        std::vector<const reg::RegisterRow*> shown;
        for (const auto* row : all)
            if (reg::Matches(*row, c.filter))
                shown.push_back(row);
        EXPECT_EQ(static_cast<int>(shown.size()), c.shown);
    }

    const auto districts = reg::DistrictRows(all);
    ASSERT_EQ(districts.size(), 4u); // codes 1, 2, 3, 4 in the list's order
    EXPECT_EQ(districts[0][0].text, "Г. НАЛЬЧИК");
    EXPECT_EQ(districts[2][0].text, "Г. ПРОХЛАДНЫЙ");
    EXPECT_EQ(districts[2][1].number, 11); // the faulty cards
    EXPECT_EQ(districts[2][2].number, 11);
    EXPECT_FALSE(districts[3][3].number); // Берёзка and Клён: two years
    const auto districts2014 = reg::DistrictRows(annual2014);
    ASSERT_EQ(districts2014.size(), 2u);
    EXPECT_EQ(districts2014[0][3].number, 300);
    EXPECT_EQ(districts2014[1][1].number, 1); // one of the two repeats
    EXPECT_EQ(districts2014[1][3].number, 10);
}

TEST_F(RegisterFolder, CommandLineExportsAndExitsByWhatWasRefused)
{
    // Paths cross the command line as UTF-8, as the program's arguments do.
    const std::string csv = root() + "/сводка.csv";
    std::ostringstream out, err;
    EXPECT_EQ(reg::RunRegisterCommand({"--export", csv, root()}, out, err, false), 1);
    EXPECT_EQ(out.str(), "Прочитано карточек: 19, не прочитано файлов: 4, с ошибками: 12, повторов: 2\n");
    EXPECT_EQ(err.str(), "");
    std::filesystem::remove(folder_.path() / u8"сводка.csv"); // the export is not part of the folder compared
    std::ostringstream out2, err2;
    const std::string good = root() + "/Баксан";
    EXPECT_EQ(reg::RunRegisterCommand({"--export", csv, good}, out2, err2, true), 0);
    EXPECT_EQ(err2.str(), "\rПрочитано 2 из 2\n");
    std::filesystem::remove(folder_.path() / u8"сводка.csv");

    std::ostringstream out3, err3;
    EXPECT_EQ(reg::RunRegisterCommand({"--export", root() + "/x.crd", root()}, out3, err3, false), 2);
    EXPECT_EQ(reg::RunRegisterCommand({"--export"}, out3, err3, false), 2);
    std::ostringstream out4, err4;
    EXPECT_EQ(reg::RunRegisterCommand({"--export", csv, root() + "/нет такой"}, out4, err4, false), 1);
    EXPECT_EQ(out4.str(), "Прочитано карточек: 0, не прочитано файлов: 1, с ошибками: 0, повторов: 0\n");
    std::filesystem::remove(folder_.path() / u8"сводка.csv");
}

TEST_F(RegisterFolder, CsvRoundTripsEveryShownCell)
{
    std::vector<reg::RegisterRow> rows = reg::ReadRegister({root()});
    rows[0].orgName = "ООО \"Ромашка; и К\"\r\nвторая строка";
    const reg::ExportTable table = reg::CardsTable(reg::Pointers(rows));
    std::ostringstream out;
    reg::WriteCsv(table, out);
    const std::string text = out.str();
    ASSERT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u);
    const auto parsed = csvread::ParseCsv(text.substr(3));
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), table.rows.size() + 1);
    EXPECT_EQ(parsed->at(0), table.headers);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        std::vector<std::string> shown, read;
        for (const auto& cell : table.rows[r])
            shown.push_back(reg::ShownText(cell));
        for (const auto& cell : parsed->at(r + 1))
            read.push_back(csvread::TextOfCell(cell).value_or("not a guarded text: " + cell));
        EXPECT_EQ(read, shown) << r;
    }
}

// A text Excel would run, or read as a number, date or logical value, comes
// back from the CSV as the card holds it and never starts its cell
// unguarded; any other text stands as it is; a number is one Excel reads.
TEST(RegisterCsv, TextsComeBackAsTheCardHoldsThemAndNumbersAsNumbers)
{
    const std::string quotes300(300, '"');
    struct Case {
        std::string orgName;
        std::string field; // in the CSV, after the CSV's own quoting is undone
    };
    const Case cases[] = {
        {"=HYPERLINK(\"http://x\";\"Ромашка\")", "=\"=HYPERLINK(\"\"http://x\"\";\"\"Ромашка\"\")\""},
        {"+7 (800)", "=\"+7 (800)\""},
        {"-Ромашка", "=\"-Ромашка\""},
        {"@SUM", "=\"@SUM\""},
        {"\tРомашка", "=\"\tРомашка\""},
        {"\r\nРомашка", "=\"\r\nРомашка\""},
        {"  =1", "=\"  =1\""},
        {"0000000000", "=\"0000000000\""},
        {"01.11", "=\"01.11\""},
        {"Ромашка-2", "=\"Ромашка-2\""},
        {"истина", "=\"истина\""},
        {" FALSE", "=\" FALSE\""},
        {"#Н/Д", "=\"#Н/Д\""},
        {"'Ромашка", "=\"'Ромашка\""},
        // 301 characters: a text constant of 255, then one of 46.
        {"=" + quotes300, "=\"=" + std::string(254 * 2, '"') + "\"&\"" + std::string(46 * 2, '"') + "\""},
        {"ООО \"Ромашка; и К\"", "ООО \"Ромашка; и К\""},
        {"Истинная правда", "Истинная правда"},
        {"", ""},
    };
    std::vector<reg::RegisterRow> rows(std::size(cases));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        reg::FillRegisterRow(regtest::GoodCard("Ромашка", "7707083893"), rows[i]);
        rows[i].orgName = cases[i].orgName;
    }
    rows[0].spending = "1 200,5";
    rows[1].spending = "15.6";
    rows[2].spending = "+5";
    rows[3].spending = ",0000001";
    std::ostringstream out;
    reg::WriteCsv(reg::CardsTable(reg::Pointers(rows)), out);
    const auto parsed = csvread::ParseCsv(out.str().substr(3));
    ASSERT_TRUE(parsed);
    const int orgName = 3, spending = 14;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& field = parsed->at(i + 1).at(orgName);
        SCOPED_TRACE(field);
        EXPECT_EQ(field, cases[i].field);
        EXPECT_EQ(csvread::TextOfCell(field), cases[i].orgName);
    }
    EXPECT_EQ(parsed->at(1).at(spending), "1200,5");
    EXPECT_EQ(parsed->at(2).at(spending), "15,6");
    EXPECT_EQ(parsed->at(3).at(spending), "5");
    EXPECT_EQ(parsed->at(4).at(spending), "0,0000001");
    EXPECT_EQ(parsed->at(5).at(spending), "15,5");
}

// A workbook lands under any folder and file name (on Windows beyond the
// ANSI code page too), replaces an earlier one, and leaves nothing beside it.
TEST(RegisterExport, WorkbookGoesUnderNamesOfAnyCharacters)
{
    TempFolder out;
    const std::filesystem::path folder = out.path() / u8"Сводки Ωμέγα";
    std::filesystem::create_directory(folder);
    const std::filesystem::path book = folder / u8"сводка №1.xlsx";
    const std::u8string name = book.u8string();
    for (int time = 0; time < 2; ++time)
        ASSERT_EQ(
            reg::ExportTables(reg::CardsTable({}), reg::DistrictsTable({}), std::string(name.begin(), name.end())), "");
    std::ifstream in(book, std::ios::binary);
    std::string start(4, '\0');
    in.read(start.data(), 4);
    EXPECT_EQ(start, std::string("PK\x03\x04", 4)); // a zip container
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

// The workbook read back by an independent reader (openpyxl).
TEST_F(RegisterFolder, WorkbookHasFrozenHeaderWidthsAndNumbersAsNumbers)
{
#ifdef _WIN32
    GTEST_SKIP() << "the workbook is read back with Python's openpyxl on Linux";
#endif
    TempFolder out;
    const std::string book = (out.path() / "сводка.xlsx").string();
    std::vector<reg::RegisterRow> rows = reg::ReadRegister({root()});
    const auto shown = reg::Pointers(rows);
    ASSERT_EQ(reg::ExportTables(reg::CardsTable(shown), reg::DistrictsTable(shown), book), "");

    const std::string script = (out.path() / "read.py").string();
    std::ofstream(script) << R"(import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
for ws in wb.worksheets:
    print('sheet', ws.title, ws.freeze_panes, ws.max_row, ws.max_column, ws.column_dimensions['A'].width > 20)
    for row in ws.iter_rows(min_row=1, max_row=ws.max_row):
        for c in row:
            if c.value is not None and (c.row == 1 or c.column in (1, 9, 11, 15)):
                print(c.coordinate, type(c.value).__name__, c.value)
)";
    const std::string result = (out.path() / "cells.txt").string();
    ASSERT_EQ(std::system(("/usr/bin/python3 '" + script + "' '" + book + "' > '" + result + "'").c_str()), 0);
    std::ifstream in(result);
    const std::string cells((std::istreambuf_iterator<char>(in)), {});

    const auto has = [&](const std::string& line) { return cells.find(line + "\n") != std::string::npos; };
    EXPECT_TRUE(has("sheet Карточки A2 25 " + std::to_string(reg::RegisterColumns().size()) + " True")) << cells;
    EXPECT_TRUE(has("sheet По районам A2 6 " + std::to_string(reg::DistrictHeaders().size()) + " True"));
    EXPECT_TRUE(has("A1 str Файл"));
    EXPECT_TRUE(has("K1 str Среднесписочная численность"));
    // Rows follow the file order; Ромашка (row 2) is the first.
    EXPECT_TRUE(has("A2 str 1_Ромашка_2014_Годовой.crd"));
    EXPECT_TRUE(has("I2 int 2014"));
    EXPECT_TRUE(has("K2 int 100"));
    EXPECT_TRUE(has("O2 float 15.5"));
    EXPECT_TRUE(has("A25 str Итого карточек: 18, с ошибками: 12; суммы: выберите год и период"));
    EXPECT_EQ(cells.find("O25 "), std::string::npos) << cells; // two years: no sum
}

// Texts go into the workbook as texts and whole: a formula's text is no
// formula, a NUL (which would end libxlsxwriter's C string) shows as U+FFFD,
// and a text spelled like the workbook's escape of a character (_xHHHH_)
// has its "_" escaped (_x005F_), or Excel would show the character.
TEST(RegisterExport, WorkbookHoldsTextsWhole)
{
#ifdef _WIN32
    GTEST_SKIP() << "the workbook is read back with Python's openpyxl on Linux";
#endif
    const std::string texts[] = {"=1+1", "0000000000", std::string("Ромашка\0Лютик", 25), "_x0041_"};
    std::vector<reg::RegisterRow> rows(std::size(texts));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        reg::FillRegisterRow(regtest::GoodCard("Ромашка", "7707083893"), rows[i]);
        rows[i].orgName = texts[i];
    }
    TempFolder out;
    const std::string book = (out.path() / "book.xlsx").string();
    const auto shown = reg::Pointers(rows);
    ASSERT_EQ(reg::ExportTables(reg::CardsTable(shown), reg::DistrictsTable(shown), book), "");
    const std::string script = (out.path() / "read.py").string();
    std::ofstream(script) << R"(import sys, zipfile, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
for r in range(2, 6):
    print(ws.cell(r, 4).data_type, ws.cell(r, 4).value)
print('_x005F_x0041_' in zipfile.ZipFile(sys.argv[1]).read('xl/sharedStrings.xml').decode())
)";
    const std::string result = (out.path() / "cells.txt").string();
    ASSERT_EQ(std::system(("/usr/bin/python3 '" + script + "' '" + book + "' > '" + result + "'").c_str()), 0);
    std::ifstream in(result);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "s =1+1\ns 0000000000\ns Ромашка\xEF\xBF\xBDЛютик\ns _x0041_\nTrue\n");
}

// A file name that is no UTF-8 (Linux keeps a name's bytes as they are,
// from a Windows archive or a stick mounted with the wrong character set):
// the row shows it readable, the workbook stays well-formed, and the card is
// read again by the row's path, as the reprint does.
TEST(RegisterRow, NameThatIsNoUtf8IsShownReadableAndOpensByItsBytes)
{
#ifdef _WIN32
    GTEST_SKIP() << "a Windows name is UTF-16, which always has a UTF-8 form";
#endif
    TempFolder folder;
    // "1_Альфа.crd" in Windows-1251: each of the five letters is no UTF-8.
    regtest::WriteCard(folder.path() / "1_\xC0\xEB\xFC\xF4\xE0.crd", regtest::GoodCard("Альфа", "7707083893"));
    const auto root = folder.path().u8string();
    const std::vector<reg::RegisterRow> rows = reg::ReadRegister({std::string(root.begin(), root.end())});
    ASSERT_EQ(rows.size(), 1u);
    const std::string replaced = "\xEF\xBF\xBD";
    EXPECT_EQ(rows[0].file, "1_" + replaced + replaced + replaced + replaced + replaced + ".crd");
    EXPECT_EQ(rows[0].stateText, reg::kStateOk);
    card::CardFileStore store;
    ASSERT_TRUE(store.ReadCardFile(rows[0].path).accepted);
    EXPECT_EQ(store.card().text("OrgName"), "Альфа");

    TempFolder out;
    const std::string book = (out.path() / "book.xlsx").string();
    const auto shown = reg::Pointers(rows);
    ASSERT_EQ(reg::ExportTables(reg::CardsTable(shown), reg::DistrictsTable(shown), book), "");
    const std::string script = (out.path() / "read.py").string();
    std::ofstream(script) << R"(import sys, zipfile, xml.dom.minidom
book = zipfile.ZipFile(sys.argv[1])
for name in book.namelist():
    xml.dom.minidom.parseString(book.read(name))
strings = xml.dom.minidom.parseString(book.read('xl/sharedStrings.xml'))
print(sum(t.firstChild.data.startswith('1_\ufffd') for t in strings.getElementsByTagName('t')))
)";
    const std::string result = (out.path() / "parts.txt").string();
    ASSERT_EQ(std::system(("/usr/bin/python3 '" + script + "' '" + book + "' > '" + result + "'").c_str()), 0);
    std::ifstream in(result);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "1\n");
}

} // namespace
