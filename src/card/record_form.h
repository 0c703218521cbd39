#pragma once
// A card record seen through the card window's eyes: each control answers
// what a load of the record would have put into it. Read-only: the save-time
// checks can run over a card file without any window.
#include <string>

#include "card/card_form.h"
#include "card/card_record.h"

namespace card {

class RecordForm final : public CardForm {
public:
    explicit RecordForm(const TCardRec& card)
        : card_(card)
    {
    }

    std::string text(const std::string& control) const override;
    int itemIndex(const std::string& control) const override;
    int itemCount(const std::string& control) const override;
    Date date(const std::string& control) const override;
    int okvedSource() const override;

    // Marking is what the window shows; there is none here.
    void markInvalid(const std::string&, bool) override {}

    // Anything that would change the card: std::logic_error.
    void setText(const std::string& control, const std::string& text) override;
    void setItemIndex(const std::string& control, int index) override;
    void setDate(const std::string& control, const Date& date) override;
    void setOkvedSource(int source) override;
    void setCaption(const std::string& control, const std::string& caption) override;
    Grid& grid(const std::string& control) override;
    void openClassifierPicker() override;

private:
    const TCardRec& card_;
};

// The field whose value the control `control` holds; std::out_of_range for
// a control that holds none.
const CardField& FieldOfControl(const std::string& control);

} // namespace card
