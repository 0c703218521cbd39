#pragma once
// A card form over plain maps, for tests of the card core without widgets.
#include <map>
#include <string>
#include <vector>

#include "card/card_form.h"
#include "support/string_grid.h"

class FakeForm : public card::CardForm {
public:
    std::string text(const std::string& c) const override
    {
        auto it = texts.find(c);
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(const std::string& c, const std::string& t) override { texts[c] = t; }
    int itemIndex(const std::string& c) const override
    {
        auto it = indexes.find(c);
        return it == indexes.end() ? 0 : it->second;
    }
    int itemCount(const std::string& c) const override { return c == "CombRn" ? 13 : 2; }
    void setItemIndex(const std::string& c, int i) override { indexes[c] = i; }
    card::Date date(const std::string& c) const override
    {
        auto it = dates.find(c);
        return it == dates.end() ? card::Date{2026, 1, 1} : it->second;
    }
    void setDate(const std::string& c, const card::Date& d) override { dates[c] = d; }
    int okvedSource() const override { return source; }
    void setOkvedSource(int s) override { source = s; }
    void setCaption(const std::string& c, const std::string& t) override { captions[c] = t; }
    void markInvalid(const std::string& c, bool invalid) override { red[c] = invalid; }
    card::Grid& grid(const std::string& c) override { return c == "StrGridKont" ? contactsGrid : staffGrid; }
    void openClassifierPicker() override { ++pickerOpenings; }

    std::map<std::string, std::string> texts;
    std::map<std::string, int> indexes;
    std::map<std::string, card::Date> dates;
    std::map<std::string, std::string> captions;
    std::map<std::string, bool> red;
    int source = 0;
    int pickerOpenings = 0;
    StringGrid contactsGrid{12, 2};
    StringGrid staffGrid{22, 5};
};
