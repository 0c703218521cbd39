#pragma once
// The card records as plain byte arrays with typed accessors. Offsets come
// from the layout table (card_layout.h); texts are handed in and out as UTF-8
// and stored as counted Windows-1251 texts.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "card/card_layout.h"

namespace card {

template <int Size>
class ByteRecord {
public:
    static constexpr int kSize = Size;

    void clear() { bytes_.fill(0); }
    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    const std::array<std::uint8_t, Size>& bytes() const { return bytes_; }
    bool operator==(const ByteRecord&) const = default;

    // --- By offset ---------------------------------------------------------
    std::uint8_t byteAt(int offset) const;
    void setByteAt(int offset, std::uint8_t value);
    std::int32_t int32At(int offset) const;
    void setInt32At(int offset, std::int32_t value);
    // Text[maxChars] at `offset`: the stored Windows-1251 characters; a stored
    // length above maxChars reads as maxChars.
    std::string_view cp1251TextAt(int offset, int maxChars) const;
    // Writes the length byte and the first maxChars characters; the bytes
    // after them keep what they held.
    void setCp1251TextAt(int offset, int maxChars, std::string_view cp1251);
    std::string textAt(int offset, int maxChars) const;
    void setTextAt(int offset, int maxChars, std::string_view utf8);

    // --- By field (kind-checked; std::logic_error for a misuse) -------------
    std::uint8_t byte(const CardField& field) const;
    void setByte(const CardField& field, std::uint8_t value);
    std::int32_t int32(const CardField& field) const;
    void setInt32(const CardField& field, std::int32_t value);
    std::string text(const CardField& field) const;
    void setText(const CardField& field, std::string_view utf8);
    std::string_view cp1251Text(const CardField& field) const;
    void setCp1251Text(const CardField& field, std::string_view cp1251);

    // Texts of the contact and staff slots (`column` is the text's index in
    // its slot). A slot is used when its first text is not empty.
    std::string slotText(const CardField& slots, int slot, int column) const;
    void setSlotText(const CardField& slots, int slot, int column, std::string_view utf8);
    std::string_view slotCp1251Text(const CardField& slots, int slot, int column) const;
    void setSlotCp1251Text(const CardField& slots, int slot, int column, std::string_view cp1251);
    bool slotUsed(const CardField& slots, int slot) const;

    // --- By field name, for code that names one field -----------------------
    std::uint8_t byte(std::string_view name) const { return byte(Field(name)); }
    void setByte(std::string_view name, std::uint8_t value) { setByte(Field(name), value); }
    std::int32_t int32(std::string_view name) const { return int32(Field(name)); }
    void setInt32(std::string_view name, std::int32_t value) { setInt32(Field(name), value); }
    std::string text(std::string_view name) const { return text(Field(name)); }
    void setText(std::string_view name, std::string_view utf8) { setText(Field(name), utf8); }

private:
    void check(const CardField& field, FieldKind kind) const;
    void checkRange(int offset, int size) const;

    std::array<std::uint8_t, Size> bytes_{};
};

// The enterprise card as stored, format version 2: 14400 bytes.
class TCardRec final : public ByteRecord<kCardRecSize> {};
// The earlier card format, version 1: 14288 bytes, read only.
class TCardRecV1 final : public ByteRecord<kCardRecV1Size> {};

extern template class ByteRecord<kCardRecSize>;
extern template class ByteRecord<kCardRecV1Size>;

// Sets FormatVersion to 2 and CardSignature to "Карточка предприятия".
void SetFixedFields(TCardRec& card);
// Whether CardSignature (length cut to 20) is exactly "Карточка предприятия".
bool HasCardSignature(const TCardRec& card);

} // namespace card
