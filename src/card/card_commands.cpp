#include "card/card_commands.h"

#include "card/card_transfer.h"
#include "card/messages.h"
#include "card/validation.h"

namespace card {

void SaveCard(CardForm& form, EntryLists& lists, CardFileStore& store)
{
    if (!ValidateCard(form, lists.staff))
        return;
    CardFromWindow(form, lists, store.card());
    const std::string name = store.CardFileName();
    store.WriteCardFile(name);
    messages().info("Сохранен файл: \n\r" + name);
}

bool LoadCard(CardForm& form, EntryLists& lists, CardFileStore& store, const std::string& path)
{
    if (!store.ReadCardFile(path))
        return false;
    CardToWindow(form, lists, store.card());
    return true;
}

} // namespace card
