#include "card/card_upgrade.h"

namespace card {

void UpgradeCardV1(const TCardRecV1& from, TCardRec& to)
{
    for (const CardField& field : CardFields()) {
        if (!field.inVersion1)
            continue;
        switch (field.kind) {
        case FieldKind::Byte: to.setByte(field, from.byte(field)); break;
        case FieldKind::Int32: to.setInt32(field, from.int32(field)); break;
        case FieldKind::Text: to.setCp1251Text(field, from.cp1251Text(field)); break;
        case FieldKind::ContactSlots:
        case FieldKind::StaffSlots:
            // A version-1 slot with an empty first text is dropped, whatever
            // its other texts hold.
            for (int slot = 0; slot < field.length; ++slot) {
                if (!from.slotUsed(field, slot))
                    continue;
                for (int column = 0; column < field.slotTexts(); ++column)
                    to.setSlotCp1251Text(field, slot, column, from.slotCp1251Text(field, slot, column));
            }
            break;
        case FieldKind::Unused: break;
        }
    }
    SetFixedFields(to);
    to.setByte("OkvedSource", 0);
}

} // namespace card
