#include "card/card_commands.h"

#include "card/card_transfer.h"
#include "card/errors.h"
#include "card/messages.h"
#include "card/validation.h"

namespace card {

bool SaveCard(CardForm& form, EntryLists& lists, CardFileStore& store)
{
    if (!ValidateCard(form, lists.staff))
        return false;
    CardFromWindow(form, lists, store.card());
    const std::string name = store.CardFileName();
    store.WriteCardFile(name);
    messages().info("Сохранен файл: \n\r" + name);
    return true;
}

bool LoadCard(CardForm& form, EntryLists& lists, CardFileStore& store, const std::string& path)
{
    if (!store.ReadCardFile(path))
        return false;
    CardToWindow(form, lists, store.card());
    return true;
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
