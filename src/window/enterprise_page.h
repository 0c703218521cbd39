#pragma once
// Page "Предприятие": the enterprise's identity and its contacts.
#include <QWidget>

class EnterprisePage : public QWidget {
    Q_OBJECT
public:
    explicit EnterprisePage(QWidget* parent = nullptr);
    // Header row of the contacts grid (done when the main window is created).
    void writeGridHeader();
};
