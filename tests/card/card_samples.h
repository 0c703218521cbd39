#pragma once
// A sample card with a distinct value in every field, built two ways: as
// file bytes placed by the documented offsets (expected_layout.h), and
// through the record's accessors. Comparing the two checks every field's
// place, size and encoding.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "card/card_record.h"
#include "expected_layout.h"

namespace sample {

using Bytes = std::vector<unsigned char>;

// Cyrillic capital letter number k (А = 0): U+0410 + k, byte 0xC0 + k.
inline std::string CyrUtf8(int k)
{
    const int cp = 0x410 + k % 32;
    return {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
}
inline unsigned char CyrByte(int k) { return static_cast<unsigned char>(0xC0 + k % 32); }

inline constexpr unsigned char kSignatureBytes[] = {0x14, 0xCA, 0xE0, 0xF0, 0xF2, 0xEE, 0xF7, 0xEA, 0xE0, 0x20, 0xEF,
                                                    0xF0, 0xE5, 0xE4, 0xEF, 0xF0, 0xE8, 0xFF, 0xF2, 0xE8, 0xFF};

inline std::uint8_t ByteValue(int i) { return static_cast<std::uint8_t>(10 + i); }
inline std::int32_t Int32Value(int i) { return (i % 2 ? -1 : 1) * (0x01020304 + i * 0x10101); }
inline std::int32_t WorkplaceValue(int i) { return i % 5 == 3 ? -(1000 * i + 7) : 1000 * i + 7; }
// Full length for even fields, half for odd ones: one Cyrillic letter, then
// Latin letters.
inline int TextLength(int i, int n) { return i % 2 ? n / 2 : n; }
inline char TextFill(int i) { return static_cast<char>('a' + i % 26); }
inline std::string TextValue(int i, int n) { return CyrUtf8(i) + std::string(TextLength(i, n) - 1, TextFill(i)); }
inline std::string SlotValue(int slot, int column)
{
    return CyrUtf8(slot + column) + "k" + std::to_string(slot) + "." + std::to_string(column);
}

inline void PutInt32(Bytes& b, int at, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k)
        b[at + k] = static_cast<unsigned char>(u >> (8 * k));
}

inline void PutSlotText(Bytes& b, int at, int slot, int column)
{
    const std::string tail = "k" + std::to_string(slot) + "." + std::to_string(column);
    b[at] = static_cast<unsigned char>(1 + tail.size());
    b[at + 1] = CyrByte(slot + column);
    for (std::size_t k = 0; k < tail.size(); ++k)
        b[at + 2 + k] = static_cast<unsigned char>(tail[k]);
}

// The sample as a file. `size` 14400 gives a version-2 card; 14288 the same
// card in version 1, whose first 22 bytes are left as `v1Head` says.
inline Bytes FileBytes(int size = 14400, unsigned char v1Head = 0xEE)
{
    Bytes b(size, 0);
    const auto& fields = expected::Fields();
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        const auto& f = fields[i];
        if (f.offset >= size)
            continue;
        switch (f.kind) {
        case expected::Kind::Byte: b[f.offset] = std::string(f.name) == "FormatVersion" ? 2 : ByteValue(i); break;
        case expected::Kind::Int32: PutInt32(b, f.offset, Int32Value(i)); break;
        case expected::Kind::Text:
            if (std::string(f.name) == "CardSignature") {
                std::copy(std::begin(kSignatureBytes), std::end(kSignatureBytes), b.begin() + f.offset);
            } else {
                const int len = TextLength(i, f.n);
                b[f.offset] = static_cast<unsigned char>(len);
                b[f.offset + 1] = CyrByte(i);
                for (int k = 1; k < len; ++k)
                    b[f.offset + 1 + k] = static_cast<unsigned char>(TextFill(i));
            }
            break;
        case expected::Kind::Contacts:
        case expected::Kind::Staff: {
            const int texts = f.kind == expected::Kind::Contacts ? 2 : 5;
            const int slotBytes
                = f.kind == expected::Kind::Contacts ? expected::kContactSlotBytes : expected::kStaffSlotBytes;
            for (int s = 0; s < f.n; ++s)
                for (int c = 0; c < texts; ++c)
                    PutSlotText(b, f.offset + s * slotBytes + c * expected::kSlotTextBytes, s, c);
            break;
        }
        }
    }
    for (int i = 0; i < 70; ++i)
        PutInt32(b, expected::kWorkplaceCountsOffset + 4 * i, WorkplaceValue(i));
    if (size != 14400)
        std::fill(b.begin(), b.begin() + 22, v1Head);
    return b;
}

// The same values set through the accessors of the record.
inline void SetThroughAccessors(card::TCardRec& rec)
{
    const auto& fields = expected::Fields();
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        const auto& f = fields[i];
        const std::string name = f.name;
        if (name == "FormatVersion" || name == "CardSignature")
            continue;
        switch (f.kind) {
        case expected::Kind::Byte: rec.setByte(name, ByteValue(i)); break;
        case expected::Kind::Int32: rec.setInt32(name, Int32Value(i)); break;
        case expected::Kind::Text: rec.setText(name, TextValue(i, f.n)); break;
        case expected::Kind::Contacts:
        case expected::Kind::Staff: {
            const auto& slots = card::Field(name);
            for (int s = 0; s < f.n; ++s)
                for (int c = 0; c < slots.slotTexts(); ++c)
                    rec.setSlotText(slots, s, c, SlotValue(s, c));
            break;
        }
        }
    }
    for (int i = 0; i < 70; ++i)
        rec.setInt32("WorkplaceCounts[" + std::to_string(i) + "]", WorkplaceValue(i));
    card::SetFixedFields(rec);
}

// Every value of the sample, read back through the accessors.
inline void ExpectInCard(const card::TCardRec& rec, bool skipVersionFields = false)
{
    const auto& fields = expected::Fields();
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        const auto& f = fields[i];
        const std::string name = f.name;
        SCOPED_TRACE(name);
        if (name == "FormatVersion" || name == "CardSignature" || name == "OkvedSource") {
            if (!skipVersionFields && name == "OkvedSource") {
                EXPECT_EQ(rec.byte(name), ByteValue(i));
            }
            continue;
        }
        switch (f.kind) {
        case expected::Kind::Byte: EXPECT_EQ(rec.byte(name), ByteValue(i)); break;
        case expected::Kind::Int32: EXPECT_EQ(rec.int32(name), Int32Value(i)); break;
        case expected::Kind::Text: EXPECT_EQ(rec.text(name), TextValue(i, f.n)); break;
        case expected::Kind::Contacts:
        case expected::Kind::Staff: {
            const auto& slots = card::Field(name);
            for (int s = 0; s < f.n; ++s)
                for (int c = 0; c < slots.slotTexts(); ++c)
                    EXPECT_EQ(rec.slotText(slots, s, c), SlotValue(s, c)) << "slot " << s << " text " << c;
            break;
        }
        }
    }
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(rec.int32("WorkplaceCounts[" + std::to_string(i) + "]"), WorkplaceValue(i)) << i;
}

} // namespace sample
