#pragma once
// A record navigator: the buttons first, prior, next and last over the
// current row of the classifier table it is bound to.
#include <QPointer>
#include <QWidget>

class ClassifierTable;
class QToolButton;

class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    explicit RecordNavigator(QWidget* parent = nullptr);

    void bind(ClassifierTable* table);
    ClassifierTable* table() const { return table_; }

    QToolButton* firstButton() const { return first_; }
    QToolButton* priorButton() const { return prior_; }
    QToolButton* nextButton() const { return next_; }
    QToolButton* lastButton() const { return last_; }

private:
    // A button is enabled when the table is open and its move can go somewhere.
    void updateButtons();

    QPointer<ClassifierTable> table_;
    QMetaObject::Connection moved_;
    QMetaObject::Connection opened_;
    QToolButton* first_;
    QToolButton* prior_;
    QToolButton* next_;
    QToolButton* last_;
};
