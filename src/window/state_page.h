#pragma once
// Page "Состояние ОТ": report year and period, labour-protection indicators.
#include <QWidget>

class StatePage : public QWidget {
    Q_OBJECT
public:
    explicit StatePage(QWidget* parent = nullptr);
    // Both date pickers to today (done when the main window is created).
    void setDatesToToday();
};
