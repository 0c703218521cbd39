#pragma once
// The card window as the card core sees it: values read and written by
// control name. The window layer implements it over its widgets; tests may
// implement it over a plain map.
#include <string>

#include "card/grid.h"
#include "card/short_date.h"

namespace card {

class CardForm {
public:
    virtual ~CardForm() = default;

    // Edits (and the activity-code field): their text, UTF-8.
    virtual std::string text(const std::string& control) const = 0;
    virtual void setText(const std::string& control, const std::string& text) = 0;

    // Radio groups and the district list: the selected item (-1 for none).
    virtual int itemIndex(const std::string& control) const = 0;
    virtual int itemCount(const std::string& control) const = 0;
    virtual void setItemIndex(const std::string& control, int index) = 0;

    // Date pickers.
    virtual Date date(const std::string& control) const = 0;
    virtual void setDate(const std::string& control, const Date& date) = 0;

    // The tag of the activity-code field: the classifier source.
    virtual int okvedSource() const = 0;
    virtual void setOkvedSource(int source) = 0;

    // Labels.
    virtual void setCaption(const std::string& control, const std::string& caption) = 0;
    // Marks a field invalid (pure red text) or valid (black text).
    virtual void markInvalid(const std::string& control, bool invalid) = 0;

    // The grids that show the two lists.
    virtual Grid& grid(const std::string& control) = 0;

    // Creates the classifier picker and shows it modally.
    virtual void openClassifierPicker() = 0;
};

} // namespace card
