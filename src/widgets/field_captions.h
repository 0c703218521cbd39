#pragma once
// The card core's captions (card_captions.h) as Qt texts.
#include <string_view>

#include <QString>

#include "card/card_captions.h"

inline QString CardText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The caption and unit of the field `control`.
inline QString CaptionText(std::string_view control) { return CardText(card::CaptionOf(control).caption); }
inline QString UnitText(std::string_view control) { return CardText(card::CaptionOf(control).unit); }
