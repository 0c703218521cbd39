#include <gtest/gtest.h>

#include "card/card_captions.h"
#include "card/card_layout.h"

// Every field a user fills (but the 70 counts, captioned by their own table)
// has the caption the window and the printed card show beside it.
TEST(CardCaptions, EveryEnteredFieldHasACaption)
{
    for (const card::CardField& field : card::CardFields()) {
        switch (field.conversion) {
        case card::Conversion::EditText:
        case card::Conversion::ActivityCode:
        case card::Conversion::Int32Edit:
        case card::Conversion::RadioByte:
        case card::Conversion::Date:
        case card::Conversion::District:
            if (field.name.rfind("WorkplaceCounts", 0) != 0) {
                EXPECT_FALSE(card::CaptionOf(field.control).caption.empty()) << field.name;
            }
            break;
        default: break;
        }
    }
    EXPECT_THROW(card::CaptionOf("NoSuchControl"), std::out_of_range);
}
