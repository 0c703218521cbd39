#pragma once
// A radio group in the manner of the program's forms: a frame holding a few
// exclusive items, whose value is the index of the selected item (0 first).
// The group counts as one control for the focus: it is left when the focus
// moves from any of its items to a control outside it in the same window.
#include <functional>

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // `columns` items stand side by side in each line; the first item is selected.
    RadioGroup(const QString& name, const QStringList& items, int columns, QWidget* parent = nullptr);

    // The selected item's index, or -1 when none is selected.
    int itemIndex() const;
    void setItemIndex(int index);
    int count() const;
    QRadioButton* item(int index) const;

    // Runs `reaction` whenever the focus leaves the group.
    void onExit(std::function<void()> reaction);

signals:
    void itemIndexChanged(int index);

private:
    void focusMoved(QWidget* from, QWidget* to);

    QButtonGroup* buttons_;
    std::function<void()> onExit_;
};

// The yes/no group used all over the card: "Нет" (0) and "Да" (1) side by side.
RadioGroup* MakeYesNoGroup(const QString& name, QWidget* parent);
