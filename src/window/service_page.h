#pragma once
// Page "Служба ОТ": the labour-protection service flag and its staff.
#include <QWidget>

class ServicePage : public QWidget {
    Q_OBJECT
public:
    explicit ServicePage(QWidget* parent = nullptr);
    // Header row of the staff grid (done when the main window is created).
    void writeGridHeader();
};
