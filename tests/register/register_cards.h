#pragma once
// A folder of generated card files for the register's tests and benchmark:
// good cards and faulty ones of every kind, version 1, repeats, files the
// reader refuses, nested folders and Cyrillic names.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "card/card_record.h"
#include "card/utf8_path.h"
#include "card/workplace_counts.h"

namespace regtest {

namespace fs = std::filesystem;

inline fs::path U8Path(const std::string& utf8) { return card::PathFromUtf8(utf8); }

inline void WriteBytes(const fs::path& file, const void* data, std::size_t size)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A card the card program saves as it stands.
inline card::TCardRec GoodCard(const std::string& name, const std::string& inn, int year = 2014, int period = 1,
                               int district = 1, int headcount = 100)
{
    card::TCardRec rec;
    card::SetFixedFields(rec);
    rec.setInt32("DistrictCode", district);
    rec.setText("LegalForm", "ООО");
    rec.setText("OrgName", name);
    rec.setText("OkvedCode", "01.11");
    rec.setText("Inn", inn);
    rec.setText("HeadPosition", "Директор");
    rec.setText("HeadName", "Иванов И. И.");
    rec.setText("Settlement", "Нальчик");
    rec.setText("PostalAddress", "360000, ул. Лесная, д. 7");
    rec.setInt32("ReportYear", year);
    rec.setByte("ReportPeriod", static_cast<std::uint8_t>(period));
    rec.setInt32("AvgHeadcount", headcount);
    rec.setInt32("InjuredCount", 2);
    rec.setInt32("FatalCount", 1);
    rec.setInt32("LostWorkdays", 30);
    rec.setText("OtSpending", "15,5");
    rec.setInt32At(card::WorkplaceCountOffset(0, card::kWorkplaceTotal, card::kWorkplaces), 10);
    rec.setInt32At(card::WorkplaceCountOffset(0, card::kWorkplacePeriod, card::kWorkplaces), 4);
    rec.setInt32("TrainedCount", 5);
    rec.setByte("OkvedSource", 1);
    return rec;
}

inline void WriteCard(const fs::path& file, const card::TCardRec& rec, int size = card::kCardRecSize)
{
    WriteBytes(file, rec.data(), static_cast<std::size_t>(size));
}

struct Expected {
    std::string file;  // as the register shows it
    std::string state; // "в порядке", the refusal, or the reader's message
    int version = 0;   // 0: refused
    int repeats = 0;
    std::string remark = {};
};

// Writes the folder and returns what the register must make of each file.
inline std::vector<Expected> MakeSampleFolder(const fs::path& root)
{
    std::vector<Expected> expected;
    const auto card = [&](const std::string& file, const card::TCardRec& rec, Expected e, int size = 14400) {
        WriteCard(root / U8Path(file), rec, size);
        e.file = file;
        expected.push_back(e);
    };
    const std::string ok = "в порядке";
    card("1_Ромашка_2014_Годовой.crd", GoodCard("Ромашка", "7707083893"), {"", ok, 2});
    card("Баксан/4_Берёзка_2014_1 полугодие .crd", GoodCard("Берёзка", "500100732259", 2014, 0, 4, 50), {"", ok, 2});
    card("Баксан/Вложенная/глубже/4_Клён_2015_Годовой.CRD", GoodCard("Клён", "0000000000", 2015, 1, 4, 7), {"", ok, 2});
    // The same INN, year and period in two files.
    card("Повторы/а.crd", GoodCard("Повтор", "5000000000", 2014, 1, 2, 10), {"", ok, 2, 2});
    card("Повторы/б.crd", GoodCard("Повтор", "5000000000", 2014, 1, 2, 10), {"", ok, 2, 2});
    // Same INN, another period: no repeat.
    card("Повторы/в.crd", GoodCard("Повтор", "5000000000", 2014, 0, 2, 10), {"", ok, 2});

    { // Several staff but "no service": the card program asks, then saves.
        card::TCardRec rec = GoodCard("Служба", "000000000000");
        const auto& staff = card::Field("OtStaff");
        for (int s = 0; s < 3; ++s)
            rec.setSlotText(staff, s, 0, "Инженер " + std::to_string(s));
        card("служба.crd", rec, {"", ok, 2, 0, "Работников службы ОТ: 3 Действительно отсутствует служба ОТ?"});
    }
    {
        card::TCardRec rec = GoodCard("Версия один", "100000000074");
        rec.setByte("OkvedSource", 0);
        card("версия1.crd", rec,
             {"", "Необходимо выбрать код ОКВЭД или КДЕС2 из справочника!\n\rСохранение отменено!", 1},
             card::kCardRecV1Size);
    }

    // One faulty card per check, each spoiled in one place.
    struct Fault {
        const char* file;
        std::function<void(card::TCardRec&)> spoil;
        const char* state;
    };
    const std::vector<Fault> faults = {
        {"ошибки/инн.crd", [](card::TCardRec& r) { r.setText("Inn", "7707083894"); },
         "Проверьте правильность ИНН! Сохранение будет невозможно!"},
        {"ошибки/опф.crd", [](card::TCardRec& r) { r.setText("LegalForm", "   "); },
         "Не заполнена организационно-правовая форма! Сохранение невозможно!"},
        {"ошибки/оквэд.crd", [](card::TCardRec& r) { r.setText("OkvedCode", ""); },
         "Не заполнен КДЭС (бывший ОКВЭД)! Сохранение невозможно!"},
        {"ошибки/название.crd", [](card::TCardRec& r) { r.setText("OrgName", " "); },
         "Не заполнено название предприятия! Сохранение невозможно!"},
        {"ошибки/должность.crd", [](card::TCardRec& r) { r.setText("HeadPosition", ""); },
         "Не заполнена должность руководителя! Сохранение невозможно!"},
        {"ошибки/фио.crd", [](card::TCardRec& r) { r.setText("HeadName", ""); },
         "Не заполнена ФИО руководителя! Сохранение невозможно!"},
        {"ошибки/пункт.crd", [](card::TCardRec& r) { r.setText("Settlement", ""); },
         "Не заполнен населенный пункт! Сохранение невозможно!"},
        {"ошибки/адрес.crd", [](card::TCardRec& r) { r.setText("PostalAddress", ""); },
         "Не заполнен адрес! Сохранение невозможно!"},
        {"ошибки/места 3.2.crd",
         [](card::TCardRec& r) {
             r.setInt32At(card::WorkplaceCountOffset(3, card::kWorkplacePeriod, card::kWorkplaces), 5);
             r.setInt32At(card::WorkplaceCountOffset(3, card::kWorkplaceTotal, card::kWorkplaces), 3);
         },
         "Количество рабочих мест, оценённых с классом условий труда 3.2 \n\r В ТЧЕТНОМ ПЕРИОДЕ больше чем "
         "ВСЕГО\n\rСохранение отменено!"},
        {"ошибки/справочник.crd", [](card::TCardRec& r) { r.setByte("OkvedSource", 0); },
         "Необходимо выбрать код ОКВЭД или КДЕС2 из справочника!\n\rСохранение отменено!"},
        {"ошибки/дата.crd",
         [](card::TCardRec& r) {
             r.setByte("AssessmentCompleted", 1);
             r.setText("AssessmentDate", "31.02.2014");
             r.setText("Inn", "1"); // the load refuses the card before any save check
         },
         "дата отчета (приказа) о завершении специальной оценки условий труда: '31.02.2014' is not a valid date."},
    };
    int year = 2000; // each its own year: no repeats among them
    for (const Fault& fault : faults) {
        card::TCardRec rec = GoodCard("Ошибка", "7707083893", ++year, 1, 3, 1);
        fault.spoil(rec);
        card(fault.file, rec, {"", fault.state, 2});
    }

    // Files the reader refuses.
    const auto refused = [&](const std::string& file, std::vector<unsigned char> bytes, const std::string& state) {
        WriteBytes(root / U8Path(file), bytes.data(), bytes.size());
        expected.push_back({file, state, 0});
    };
    refused("плохие/короткий.crd", std::vector<unsigned char>(100, 7), "Ошибка загрузки карточи предприятия! ");
    refused("плохие/пустой.crd", {}, "Ошибка загрузки карточи предприятия! ");
    refused("плохие/чужой.crd", std::vector<unsigned char>(14400, 0), "Файл НЕ ЯВЛЯЕТСЯ карточкой предприятия!!");
    {
        card::TCardRec rec = GoodCard("Версия", "7707083893");
        rec.setByte("FormatVersion", 3);
        refused("плохие/версия.crd", std::vector<unsigned char>(rec.data(), rec.data() + 14400),
                "Неверная версия файла!");
    }
    // Not card files: never read.
    WriteBytes(root / U8Path("заметки.txt"), "x", 1);
    WriteBytes(root / U8Path("плохие/crd"), "x", 1);
    return expected;
}

// Every file under `root` with its bytes and modification time.
struct FileState {
    std::string bytes;
    fs::file_time_type modified;
    bool operator==(const FileState&) const = default;
};
inline std::map<fs::path, FileState> Snapshot(const fs::path& root)
{
    std::map<fs::path, FileState> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path()] = {std::string(std::istreambuf_iterator<char>(in), {}), entry.last_write_time()};
    }
    return files;
}

} // namespace regtest
