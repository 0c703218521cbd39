#include "card/card_commands.h"

#include "card/card_transfer.h"
#include "card/errors.h"
#include "card/outcome.h"
#include "card/validation.h"

namespace card {

Outcome SaveCard(CardForm& form, EntryLists& lists, CardFileStore& store, Dialogue& user)
{
    Outcome outcome = ValidateCard(form, lists.staff, user);
    if (!outcome.accepted)
        return outcome;
    if (const Outcome built = RecordFromWindow(form, lists, store.card()); !built.accepted)
        return outcome.refuse(built.messages.back().kind, built.messages.back().text, built.field);
    try {
        const std::string name = store.CardFileName();
        store.WriteCardFile(name);
        outcome.note(Message::Info, "Сохранен файл: \n\r" + name);
    } catch (const CardError& e) {
        outcome.refuse(Message::Error, ErrorDisplayText(e.what()));
    }
    return outcome;
}

Outcome LoadCard(CardForm& form, EntryLists& lists, CardFileStore& store, const std::string& path, Dialogue& user)
{
    Outcome read;
    try {
        read = store.ReadCardFile(path);
    } catch (const CardError& e) {
        read.refuse(Message::Error, ErrorDisplayText(e.what()));
    }
    for (const Message& message : read.messages)
        user.tell(message);
    if (!read.accepted)
        return read;
    Outcome shown = CardToWindow(form, lists, store.card(), user);
    if (!shown.accepted)
        user.tell(shown.messages.back());
    shown.version = read.version;
    shown.messages.insert(shown.messages.begin(), read.messages.begin(), read.messages.end());
    return shown;
}

std::optional<TCardRec> CardInWindow(const CardForm& form, const EntryLists& lists)
{
    TCardRec card;
    try {
        CardFromWindow(form, lists, card);
    } catch (const CardError&) {
        return std::nullopt;
    }
    return card;
}

} // namespace card
