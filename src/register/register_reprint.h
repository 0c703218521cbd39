#pragma once
// A card of the register printed again: the rows keep no records (10,000
// records would be 140 MB), so the card is read again from its file.
#include <optional>
#include <string>

#include "card/card_record.h"
#include "register/register_row.h"

namespace reg {

// The card of a row read again, or what the card program would say instead.
struct CardReadAgain {
    enum class Refusal {
        None,      // `record` holds the card
        FileError, // the file error's text as the error display shows it (stop icon)
        NotACard,  // the reader's refusal, for the information box
    };
    std::optional<card::TCardRec> record;
    Refusal refusal = Refusal::None;
    std::string text; // the refusal's message
    // Why, in Russian, for the register's own message that names the file.
    std::string reason;
};

// Reads the card of `row` again by the card program's reader (a version-1
// card upgraded, its notice dropped), from the row's own path: a name that is
// no UTF-8 would not survive a trip through the shown name. A file replaced
// by another card gives what it holds now. Says nothing itself.
CardReadAgain ReadCardAgain(const RegisterRow& row);

// The card file's name with ".pdf" in place of ".crd" (in any letter case),
// or with ".pdf" added; UTF-8 in and out.
std::string PdfBesideCard(const std::string& cardPath);

} // namespace reg
