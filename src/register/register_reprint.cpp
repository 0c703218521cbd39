#include "register/register_reprint.h"

#include "card/card_file_store.h"
#include "card/errors.h"
#include "card/file_error.h"
#include "card/outcome.h"
#include "card/text_rules.h"

namespace reg {
namespace {

std::string FileErrorReason(int code)
{
    switch (code) {
    case card::kFileNotFound: return "файла больше нет (удалён или перемещён после чтения папки)";
    case card::kInvalidFilename: return "недопустимое имя файла";
    case card::kTooManyOpenFiles: return "открыто слишком много файлов";
    case card::kFileAccessDenied: return "нет доступа к файлу";
    case card::kReadBeyondEndOfFile: return "файл короче карточки";
    default: return "ошибка ввода-вывода " + std::to_string(code);
    }
}

} // namespace

CardReadAgain ReadCardAgain(const RegisterRow& row)
{
    CardReadAgain result;
    card::CardFileStore store;
    card::Outcome read;
    try {
        read = store.ReadCardFile(row.path);
    } catch (const card::FileError& e) {
        result.refusal = CardReadAgain::Refusal::FileError;
        result.text = card::ErrorDisplayText(e.what());
        result.reason = FileErrorReason(e.code());
        return result;
    } catch (const card::CardError& e) {
        result.refusal = CardReadAgain::Refusal::FileError;
        result.text = card::ErrorDisplayText(e.what());
        result.reason = card::ErrorDisplayText(e.what());
        return result;
    }
    if (read.accepted) { // the version-1 notice is no news here
        result.record = store.card();
        return result;
    }
    result.refusal = CardReadAgain::Refusal::NotACard;
    result.text = read.refusal();
    result.reason = "файл больше не содержит карточку: " + result.text;
    return result;
}

std::string PdfBesideCard(const std::string& cardPath)
{
    constexpr std::size_t kExtension = 4; // ".crd"
    std::string path = cardPath;
    if (path.size() >= kExtension && card::AsciiLower(path.substr(path.size() - kExtension)) == ".crd")
        path.resize(path.size() - kExtension);
    return path + ".pdf";
}

} // namespace reg
