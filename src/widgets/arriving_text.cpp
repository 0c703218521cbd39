#include "widgets/arriving_text.h"

#include <algorithm>
#include <vector>

#include <QLineEdit>
#include <QValidator>

namespace {

// The edit runs its validator after every change, whatever brought the text
// (a key, a paste, a drop, an input method), and shows the text the validator
// returns: the one place all routes pass through. The text is always
// acceptable, so nothing that depends on acceptable input changes.
class ArrivalRules final : public QValidator {
public:
    explicit ArrivalRules(QLineEdit* field)
        : QValidator(field)
        , field_(field)
        , before_(field->text())
    {
        connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
    }

    void add(CharRule takes) { rules_.push_back(takes); }

    State validate(QString& input, int& pos) const override
    {
        // setText clears the undo history, and undo or redo bring back what
        // the field held: neither is text the user brings in.
        if (!field_->isUndoAvailable() || field_->isRedoAvailable())
            return Acceptable;
        // What arrived lies between the unchanged start and the unchanged end.
        const qsizetype shorter = std::min(input.size(), before_.size());
        qsizetype head = 0;
        while (head < shorter && input.at(head) == before_.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < shorter - head && input.at(input.size() - 1 - tail) == before_.at(before_.size() - 1 - tail))
            ++tail;
        for (qsizetype i = input.size() - tail; i-- > head;) {
            if (takes(input.at(i)))
                continue;
            input.remove(i, 1);
            if (i < pos)
                --pos;
        }
        return Acceptable;
    }

private:
    bool takes(QChar c) const
    {
        return std::all_of(rules_.begin(), rules_.end(), [c](CharRule rule) { return rule(c); });
    }

    QLineEdit* field_;
    QString before_; // the field's text before the change being judged
    std::vector<CharRule> rules_;
};

} // namespace

void DropRefusedOnArrival(QLineEdit* field, CharRule takes)
{
    // The rules are the field's one validator, made at the first rule.
    auto* rules = const_cast<ArrivalRules*>(dynamic_cast<const ArrivalRules*>(field->validator()));
    if (!rules) {
        Q_ASSERT(!field->validator());
        rules = new ArrivalRules(field);
        field->setValidator(rules);
    }
    rules->add(takes);
}
