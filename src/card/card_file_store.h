#pragma once
// The card files and the two working records: naming a card file, writing
// the working card into it and reading a chosen file back (a version-1 file
// through its upgrade), with the messages of each step.
#include <string>

#include "card/card_record.h"
#include "card/file_system.h"
#include "card/outcome.h"

namespace card {

// Messages of a read, shown in the information box.
inline constexpr char kMsgLoadFailed[] = "Ошибка загрузки карточи предприятия! ";
inline constexpr char kMsgVersion1Loaded[] = "Загружен файл карточки версии 1!";
inline constexpr char kMsgNotACard[] = "Файл НЕ ЯВЛЯЕТСЯ карточкой предприятия!!";
inline constexpr char kMsgWrongVersion[] = "Неверная версия файла!";

// The items of the period radio group RGrpPeriod; CardFileName uses their
// texts unchanged (the first one ends in a space).
inline constexpr const char* kReportPeriodItems[] = {"1 полугодие ", "Годовой"};

// Whether `name` can be a card file name in the current folder: not empty,
// no folder part and none of the characters Windows forbids in file names
// (/ \ : * ? " < > | and control characters).
bool IsPlainFileName(const std::string& name);

class CardFileStore {
public:
    explicit CardFileStore(FileSystem& files = RealFileSystem());

    // Sends the file calls of later reads and writes to `files` (fault tests
    // give the main window's store a file system that fails on request).
    void useFileSystem(FileSystem& files) { files_ = &files; }

    TCardRec& card() { return card_; }
    const TCardRec& card() const { return card_; }
    TCardRecV1& cardV1() { return cardV1_; }
    const TCardRecV1& cardV1() const { return cardV1_; }

    // Zeroes the working card; the save command does this before filling it,
    // so a written file depends on the card alone.
    void clearCard() { card_.clear(); }

    // "<district>_<name without double quotes>_<year>_<period>.crd" from the
    // working card; the name part cut by whole characters where the whole
    // would exceed the platform's limit for one file name.
    std::string CardFileName() const;

    // Writes the working card to `name` in the current folder, replacing an
    // earlier file of that name only once the new one is complete on disk
    // (through a symbolic link into its target, keeping the permission bits
    // of the card it replaces). A name with a folder part or a forbidden
    // character is refused before anything touches the disk. Throws
    // FileError; a failed write leaves any earlier file as it was and no
    // temporary file behind. A successful one removes temporary cards that
    // crashed saves left over a day ago.
    void WriteCardFile(const std::string& name);

    // Reads the file `name` (opened for reading only, in one read) into the
    // working card: 14400 bytes or more as version 2, 14288 to 14399 bytes
    // as version 1 with its upgrade (which its outcome says, with the
    // version-1 notice). A file that is no card (also a pipe or a device)
    // is refused with the message that says why. A file that cannot be
    // opened throws FileError.
    Outcome ReadCardFile(const std::string& name);

    // Fills the working card from the working version-1 card.
    void UpgradeCardV1();

private:
    void removeLeftovers(const std::string& folder);

    FileSystem* files_;
    TCardRec card_{};
    TCardRecV1 cardV1_{};
};

} // namespace card
