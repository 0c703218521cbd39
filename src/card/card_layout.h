#pragma once
// The layout of the card record, written down once: every field with its
// offset, kind and size, the main-window control that holds its value and the
// conversion between the two. Reading and writing the record, the version-1
// upgrade and the save and load commands all walk this one table.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace card {

inline constexpr int kCardRecSize = 14400;   // TCardRec, format version 2
inline constexpr int kCardRecV1Size = 14288; // TCardRecV1, read only
inline constexpr std::uint8_t kCardFormatVersion = 2;
inline constexpr char kCardSignature[] = "Карточка предприятия"; // 20 characters

// The slots of the contact and staff arrays: each text is a Text[100].
inline constexpr int kContactSlotCount = 11;
inline constexpr int kContactSlotTexts = 2; // TypeK, DataK
inline constexpr int kStaffSlotCount = 21;
inline constexpr int kStaffSlotTexts = 5; // Doljn, FIO, NUd, DatUd, Org
inline constexpr int kSlotTextChars = 100;

// How a field is stored.
enum class FieldKind : std::uint8_t {
    Byte,         // one unsigned byte
    Int32,        // 32-bit signed, little-endian
    Text,         // Text[N]: length byte, then up to N Windows-1251 characters
    ContactSlots, // N contact slots of kContactSlotTexts texts
    StaffSlots,   // N staff slots of kStaffSlotTexts texts
    Unused,       // gap or reserved: N bytes that no value covers
};

// How a field's value travels between its control and the record.
enum class Conversion : std::uint8_t {
    None,             // gaps and reserved bytes
    Fixed,            // FormatVersion, CardSignature: set when saving, never shown
    EditText,         // a single-line edit's text, cut to N when stored
    ActivityCode,     // text of Ed_okved without one final ".", cut to N
    Int32Edit,        // an edit's decimal text <-> int32
    RadioByte,        // a radio group's item index <-> byte
    Date,             // a date picker's date <-> short-date text DD.MM.YYYY
    District,         // CombRn's item index <-> district code (district.h)
    ContactSlots,     // ContactList <-> the contact array (entry_lists.h)
    StaffSlots,       // SotrList <-> the staff array (entry_lists.h)
    ClassifierSource, // the tag of Ed_okved <-> OkvedSource byte
};

struct CardField {
    std::string name; // record field name; the workplace counts are WorkplaceCounts[0..69]
    int offset = 0;
    FieldKind kind = FieldKind::Unused;
    int length = 0;      // Text: N characters; slot arrays: slot count; Unused: bytes
    std::string control; // objectName of the control (or the list) holding the value
    Conversion conversion = Conversion::None;
    bool inVersion1 = false;  // also in TCardRecV1, same offset; carried over by the upgrade
    std::string shownWhenYes; // Date: the radio field that must hold "Да" for the date to be shown

    int byteSize() const;
    int slotTexts() const; // texts per slot of a slot array, else 0
};

// The label beside the activity code that names the classifier the code came
// from. It holds no value of the record, so no row names it.
inline constexpr char kClassifierCaptionControl[] = "lbl_okv";

// Every field in file order, gaps and reserved bytes included: the rows tile
// bytes 0 to 14399 without overlap.
const std::vector<CardField>& CardFields();

// The field of that name; std::out_of_range for a name the record lacks.
const CardField& Field(std::string_view name);

// Offset of text `column` of slot `slot` in a slot-array field.
int SlotTextOffset(const CardField& slots, int slot, int column);

} // namespace card
