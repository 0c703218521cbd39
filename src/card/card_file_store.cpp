#include "card/card_file_store.h"

#include <algorithm>
#include <cstring>
#include <random>

#include "card/card_upgrade.h"

namespace card {
namespace {

constexpr int kTempNameAttempts = 100;
// Temporary cards are "~unra5-card-<random>.tmp" (earlier versions numbered
// them); a crash before the rename leaves one behind, and a later save
// removes those older than kLeftoverAge, by then surely no save's own.
constexpr std::string_view kTempPrefix = "~unra5-card-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr auto kLeftoverAge = std::chrono::hours(24);

// Closes a file whose content no longer matters; errors are beside the point.
void Discard(std::unique_ptr<OpenFile>& file)
{
    try {
        if (file)
            file->close();
    } catch (const FileError&) {
    }
    file.reset();
}

// An unpredictable name, as mkstemp makes, so that no leftover or other
// program's file can take every name a save would try.
std::string RandomTempName()
{
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name(kTempPrefix);
    for (int i = 0; i < 12; ++i)
        name += kLetters[pick(entropy)];
    return name.append(kTempSuffix);
}

// The longest start of `utf8`, in whole characters, whose file-name length
// is at most `room` units.
std::string CutToFileNameUnits(const std::string& utf8, std::size_t room)
{
    std::size_t used = 0;
    std::size_t start = 0; // of the character being measured
    for (std::size_t i = 1; i <= utf8.size(); ++i) {
        if (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue; // inside the character
        used += FileNameUnits(std::string_view(utf8).substr(start, i - start));
        if (used > room)
            return utf8.substr(0, start);
        start = i;
    }
    return utf8;
}

} // namespace

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
    });
}

CardFileStore::CardFileStore(FileSystem& files)
    : files_(&files)
{
}

std::string CardFileStore::CardFileName() const
{
    std::string org = card_.text("OrgName");
    std::erase(org, '"');
    const std::uint8_t period = card_.byte("ReportPeriod");
    // The radio group shows a value beyond its last item on the last item.
    const char* periodText = kReportPeriodItems[std::min<int>(period, 1)];
    const std::string head = std::to_string(card_.int32("DistrictCode")) + "_";
    const std::string tail = "_" + std::to_string(card_.int32("ReportYear")) + "_" + periodText + ".crd";
    // A long official name would make the file name longer than the file
    // system takes; only the name part gives way, the card keeps it whole.
    const std::size_t room = kMaxFileNameUnits - FileNameUnits(head) - FileNameUnits(tail);
    return head + CutToFileNameUnits(org, room) + tail;
}

void CardFileStore::WriteCardFile(const std::string& name)
{
    if (!IsPlainFileName(name))
        throw FileError(kInvalidFilename);

    // A card that is a symbolic link is saved into the file it points to;
    // the new card goes to a fresh file beside that one and replaces it only
    // when complete, so a failed save never costs the earlier card.
    const std::string target = files_->linkTarget(name);
    const std::string folder = FolderPart(target);
    std::string temp;
    std::unique_ptr<OpenFile> file;
    for (int attempt = 0; !file; ++attempt) {
        if (attempt == kTempNameAttempts)
            throw FileError(kFileAccessDenied);
        temp = folder + RandomTempName();
        file = files_->createNew(temp);
    }
    try {
        file->write(card_.data(), kCardRecSize);
        file->syncToDisk();
        file->close();
        file.reset();
        files_->replace(temp, target);
    } catch (...) {
        Discard(file);
        files_->remove(temp);
        throw;
    }
    removeLeftovers(folder);
}

void CardFileStore::removeLeftovers(const std::string& folder)
{
    const auto before = std::chrono::system_clock::now() - kLeftoverAge;
    for (const FolderFile& file : files_->listFiles(folder, std::string(kTempPrefix))) {
        if (file.name.size() > kTempPrefix.size() + kTempSuffix.size() && file.name.starts_with(kTempPrefix)
            && file.name.ends_with(kTempSuffix) && file.modified < before)
            files_->remove(folder + file.name);
    }
}

Outcome CardFileStore::ReadCardFile(const std::string& name)
{
    card_.clear();
    cardV1_.clear();

    Outcome outcome;
    std::unique_ptr<OpenFile> file = files_->openForReading(name);
    if (!file)
        return outcome.refuse(Message::Info, kMsgLoadFailed);
    // One read decides the version: a file being replaced or copied must not
    // be judged by one opening and read by another.
    std::size_t got = 0;
    try {
        got = file->read(card_.data(), kCardRecSize);
    } catch (const FileError&) {
        got = 0; // a failed read is taken as a short file
    }
    if (got < kCardRecV1Size) {
        Discard(file);
        card_.clear();
        return outcome.refuse(Message::Info, kMsgLoadFailed);
    }
    file->close();
    outcome.version = 2;
    if (got < kCardRecSize) {
        std::memcpy(cardV1_.data(), card_.data(), kCardRecV1Size);
        card_.clear();
        UpgradeCardV1();
        outcome.version = 1;
        outcome.note(Message::Info, kMsgVersion1Loaded);
    }

    if (!HasCardSignature(card_))
        return outcome.refuse(Message::Info, kMsgNotACard);
    if (card_.byte("FormatVersion") != kCardFormatVersion)
        return outcome.refuse(Message::Info, kMsgWrongVersion);
    return outcome;
}

void CardFileStore::UpgradeCardV1() { card::UpgradeCardV1(cardV1_, card_); }

} // namespace card
