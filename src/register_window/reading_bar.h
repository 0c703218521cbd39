#pragma once
// The line under the views: what the reading found (or what an export
// saved), the reading's progress and its «Отмена».
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

class ReadingBar final : public QWidget {
    Q_OBJECT
public:
    explicit ReadingBar(QWidget* parent);

    void setText(const QString& text);
    // A reading begins: the progress runs until its total is known.
    void start();
    void progress(int done, int total);
    // The cancel was asked for: the button has done its job.
    void cancelling();
    void finish();

signals:
    void cancelClicked();

private:
    QLabel* summary_;
    QProgressBar* progress_;
    QPushButton* cancel_;
};
