#pragma once
// Rows from a reading on its own thread into the register's model, a few at
// a time, so that the window answers the user however fast the cards arrive.
#include <QObject>
#include <QTimer>

#include <string>
#include <vector>

#include "register/register_reader.h"

class RegisterModel;

class RowFeeder final : public QObject {
    Q_OBJECT
public:
    // `readRow` turns each found file into its row (tests hold a reading
    // part-way with it).
    RowFeeder(RegisterModel* model, reg::RowReader readRow, QObject* parent = nullptr);

    // Reads every card under `folder` (UTF-8) into the model; an earlier
    // reading must have been stopped (its rows not yet in the model are
    // dropped).
    void start(const std::string& folder);
    // The rows of files already started still come, then the reading ends.
    void cancel() { job_.cancel(); }
    // Cancels a reading under way and waits for its thread; the rows read
    // still reach the model.
    void stop();
    // From start until the last row is in the model.
    bool reading() const { return rowTimer_.isActive(); }
    // What a cancelled reading left out («чтение отменено: …»); empty while
    // reading and after a reading that was not cancelled.
    std::string cancelledNote() const;

    // Asks for the sums: at once when no reading runs, while reading at most
    // every 300 ms (sumsDue).
    void requestSums();
    // The sums are up to date: a request still waiting is dropped.
    void sumsUpdated() { sumTimer_.stop(); }

signals:
    void rowsAdded();
    // `done` of `total` files are in the model (once the total is known).
    void progressed(int done, int total);
    // The last row is in the model and the reading's thread has ended.
    void finished();
    void sumsDue();

private:
    void takeRows();

    RegisterModel* model_;
    reg::ReadingJob job_;
    std::vector<reg::RegisterRow> backlog_; // read, not yet in the model
    QTimer rowTimer_;
    QTimer sumTimer_;
};
