#include "card/card_record.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "card/cp1251.h"

namespace card {

template <int Size>
void ByteRecord<Size>::checkRange(int offset, int size) const
{
    if (offset < 0 || size < 0 || offset + size > Size)
        throw std::out_of_range("card record access beyond its end");
}

template <int Size>
void ByteRecord<Size>::check(const CardField& field, FieldKind kind) const
{
    if (field.kind != kind)
        throw std::logic_error("card field " + field.name + " accessed as the wrong kind");
    checkRange(field.offset, field.byteSize());
}

template <int Size>
std::uint8_t ByteRecord<Size>::byteAt(int offset) const
{
    checkRange(offset, 1);
    return bytes_[offset];
}

template <int Size>
void ByteRecord<Size>::setByteAt(int offset, std::uint8_t value)
{
    checkRange(offset, 1);
    bytes_[offset] = value;
}

template <int Size>
std::int32_t ByteRecord<Size>::int32At(int offset) const
{
    checkRange(offset, 4);
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes_[offset + i];
    return static_cast<std::int32_t>(value);
}

template <int Size>
void ByteRecord<Size>::setInt32At(int offset, std::int32_t value)
{
    checkRange(offset, 4);
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i, bits >>= 8)
        bytes_[offset + i] = static_cast<std::uint8_t>(bits & 0xFF);
}

template <int Size>
std::string_view ByteRecord<Size>::cp1251TextAt(int offset, int maxChars) const
{
    checkRange(offset, maxChars + 1);
    const int length = std::min<int>(bytes_[offset], maxChars);
    return {reinterpret_cast<const char*>(bytes_.data() + offset + 1), static_cast<std::size_t>(length)};
}

template <int Size>
void ByteRecord<Size>::setCp1251TextAt(int offset, int maxChars, std::string_view cp1251)
{
    checkRange(offset, maxChars + 1);
    const auto length = std::min<std::size_t>(cp1251.size(), static_cast<std::size_t>(maxChars));
    bytes_[offset] = static_cast<std::uint8_t>(length);
    // memmove: the source may be a text of this very record.
    std::memmove(bytes_.data() + offset + 1, cp1251.data(), length);
}

template <int Size>
std::string ByteRecord<Size>::textAt(int offset, int maxChars) const
{
    return Cp1251ToUtf8(cp1251TextAt(offset, maxChars));
}

template <int Size>
void ByteRecord<Size>::setTextAt(int offset, int maxChars, std::string_view utf8)
{
    setCp1251TextAt(offset, maxChars, Utf8ToCp1251(utf8));
}

template <int Size>
std::uint8_t ByteRecord<Size>::byte(const CardField& field) const
{
    check(field, FieldKind::Byte);
    return bytes_[field.offset];
}

template <int Size>
void ByteRecord<Size>::setByte(const CardField& field, std::uint8_t value)
{
    check(field, FieldKind::Byte);
    bytes_[field.offset] = value;
}

template <int Size>
std::int32_t ByteRecord<Size>::int32(const CardField& field) const
{
    check(field, FieldKind::Int32);
    return int32At(field.offset);
}

template <int Size>
void ByteRecord<Size>::setInt32(const CardField& field, std::int32_t value)
{
    check(field, FieldKind::Int32);
    setInt32At(field.offset, value);
}

template <int Size>
std::string ByteRecord<Size>::text(const CardField& field) const
{
    return Cp1251ToUtf8(cp1251Text(field));
}

template <int Size>
void ByteRecord<Size>::setText(const CardField& field, std::string_view utf8)
{
    setCp1251Text(field, Utf8ToCp1251(utf8));
}

template <int Size>
std::string_view ByteRecord<Size>::cp1251Text(const CardField& field) const
{
    check(field, FieldKind::Text);
    return cp1251TextAt(field.offset, field.length);
}

template <int Size>
void ByteRecord<Size>::setCp1251Text(const CardField& field, std::string_view cp1251)
{
    check(field, FieldKind::Text);
    setCp1251TextAt(field.offset, field.length, cp1251);
}

template <int Size>
std::string_view ByteRecord<Size>::slotCp1251Text(const CardField& slots, int slot, int column) const
{
    check(slots, slots.kind);
    return cp1251TextAt(SlotTextOffset(slots, slot, column), kSlotTextChars);
}

template <int Size>
void ByteRecord<Size>::setSlotCp1251Text(const CardField& slots, int slot, int column, std::string_view cp1251)
{
    check(slots, slots.kind);
    setCp1251TextAt(SlotTextOffset(slots, slot, column), kSlotTextChars, cp1251);
}

template <int Size>
std::string ByteRecord<Size>::slotText(const CardField& slots, int slot, int column) const
{
    return Cp1251ToUtf8(slotCp1251Text(slots, slot, column));
}

template <int Size>
void ByteRecord<Size>::setSlotText(const CardField& slots, int slot, int column, std::string_view utf8)
{
    setSlotCp1251Text(slots, slot, column, Utf8ToCp1251(utf8));
}

template <int Size>
bool ByteRecord<Size>::slotUsed(const CardField& slots, int slot) const
{
    return !slotCp1251Text(slots, slot, 0).empty();
}

template class ByteRecord<kCardRecSize>;
template class ByteRecord<kCardRecV1Size>;

void SetFixedFields(TCardRec& card)
{
    card.setByte("FormatVersion", kCardFormatVersion);
    card.setText("CardSignature", kCardSignature);
}

bool HasCardSignature(const TCardRec& card)
{
    static const std::string expected = Utf8ToCp1251(kCardSignature);
    return card.cp1251Text(Field("CardSignature")) == expected;
}

} // namespace card
