#pragma once
// The contacts block at the bottom of page "Предприятие": the label, the
// buttons "Добавить", "Редактировать", "Удалить" and the grid that shows the
// contact list of the main window.
#include <QFrame>
#include <QList>

class QPushButton;
class QTableWidget;

class ContactsBlock : public QFrame {
    Q_OBJECT
public:
    explicit ContactsBlock(QWidget* parent = nullptr);
    void writeGridHeader();
    QTableWidget* grid() const { return StrGridKont; }
    // Height of the block: the grid's header and a data row for each slot,
    // in the rows' current font, or less where the height limit says so.
    int blockHeight() const;
    // The most the block may take on its page. Rows that do not fit in it
    // scroll within the grid; 0 lets the grid show every row.
    void setHeightLimit(int height);
    // The block's controls in tab order.
    QList<QWidget*> tabOrder() const;

public slots:
    void BitBtn1Click(); // add
    void BitBtn2Click(); // edit the entry of the grid's current row
    void BitBtn3Click(); // delete it, at once

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sizes the grid to show its header and every row without scrolling, or
    // as many as the height limit leaves room for.
    void fitGrid();

    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QTableWidget* StrGridKont = nullptr;
    int heightLimit_ = 0;
};
