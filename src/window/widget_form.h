#pragma once
// The main window seen as the card core's form: every control is found by
// its objectName under the window.
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>

#include "card/card_form.h"

class QWidget;
class TableGrid;

class WidgetForm final : public card::CardForm {
public:
    explicit WidgetForm(QWidget* window);
    ~WidgetForm() override;

    std::string text(const std::string& control) const override;
    void setText(const std::string& control, const std::string& text) override;
    int itemIndex(const std::string& control) const override;
    int itemCount(const std::string& control) const override;
    void setItemIndex(const std::string& control, int index) override;
    card::Date date(const std::string& control) const override;
    void setDate(const std::string& control, const card::Date& date) override;
    int okvedSource() const override;
    void setOkvedSource(int source) override;
    void setCaption(const std::string& control, const std::string& caption) override;
    void markInvalid(const std::string& control, bool invalid) override;
    card::Grid& grid(const std::string& control) override;
    void openClassifierPicker() override;

    // Runs `act` each time just before openClassifierPicker opens the picker.
    void beforePicker(std::function<void()> act) { beforePicker_ = std::move(act); }

private:
    QWidget* control(const std::string& name) const;

    QWidget* window_;
    // Every named control under the window, gathered in one walk at the
    // first lookup: a save reads some 180 controls, and a search of the whole
    // tree for each was a good part of building the card at start-up.
    mutable std::unordered_map<std::string, QWidget*> controls_;
    std::map<std::string, std::unique_ptr<TableGrid>> grids_;
    std::function<void()> beforePicker_;
};
