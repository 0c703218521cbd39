#include "register/register_reprint.h"

#include "card/card_file_store.h"
#include "card/errors.h"
#include "card/outcome.h"
#include "card/text_rules.h"

namespace reg {

CardReadAgain ReadCardAgain(const RegisterRow& row)
{
    CardReadAgain result;
    card::CardFileStore store;
    card::Outcome read;
    try {
        read = store.ReadCardFile(row.path);
    } catch (const card::CardError& e) {
        result.refusal = CardReadAgain::Refusal::FileError;
        result.text = card::ErrorDisplayText(e.what());
        return result;
    }
    if (read.accepted) { // the version-1 notice is no news here
        result.record = store.card();
        return result;
    }
    result.refusal = CardReadAgain::Refusal::NotACard;
    result.text = read.refusal();
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
