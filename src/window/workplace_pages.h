#pragma once
// Pages 3 to 6: workplace counts per working-conditions class, two classes a
// page (the last page: class 4 and the number trained in labour protection).
#include <QWidget>

class WorkplacePage : public QWidget {
    Q_OBJECT
public:
    // `pageIndex` is the page's index in the main window, 3 to 6.
    WorkplacePage(int pageIndex, QWidget* parent = nullptr);
    static QString caption(int pageIndex);

private:
    int pageIndex_;
};
