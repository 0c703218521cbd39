#include "register_window/row_feeder.h"

#include <QElapsedTimer>

#include <algorithm>
#include <iterator>
#include <utility>

#include "register/register_summary.h"
#include "register_window/register_models.h"

namespace {

constexpr int kRowIntervalMs = 40;  // rows reach the model this often while reading
constexpr int kRowSliceMs = 20;     // and for at most this long each time
constexpr int kRowBatch = 200;      // rows put into the model at once
constexpr int kSumIntervalMs = 300; // sums follow at most this often while reading

} // namespace

RowFeeder::RowFeeder(RegisterModel* model, reg::RowReader readRow, QObject* parent)
    : QObject(parent)
    , model_(model)
    , job_(std::move(readRow))
{
    rowTimer_.setInterval(kRowIntervalMs);
    connect(&rowTimer_, &QTimer::timeout, this, &RowFeeder::takeRows);
    sumTimer_.setSingleShot(true);
    connect(&sumTimer_, &QTimer::timeout, this, &RowFeeder::sumsDue);
}

void RowFeeder::start(const std::string& folder)
{
    backlog_.clear();
    job_.start({folder});
    rowTimer_.start();
}

void RowFeeder::stop()
{
    job_.cancel();
    job_.wait();
}

std::string RowFeeder::cancelledNote() const
{
    if (reading() || !job_.cancelled())
        return {};
    const std::size_t found = static_cast<std::size_t>(std::max(job_.total(), 0L));
    return reg::CancelledReadingNote(found - std::min(found, job_.taken()), found, job_.allFound());
}

void RowFeeder::requestSums()
{
    if (!sumTimer_.isActive())
        sumTimer_.start(reading() ? kSumIntervalMs : 0);
}

// Rows go into the model in small batches for a short slice of time: the
// window's event loop is never held for long.
void RowFeeder::takeRows()
{
    const bool ended = job_.finished(); // before taking: no row can follow
    std::vector<reg::RegisterRow> arrived = job_.takeRows();
    backlog_.insert(backlog_.end(), std::make_move_iterator(arrived.begin()), std::make_move_iterator(arrived.end()));
    QElapsedTimer slice;
    slice.start();
    std::size_t next = 0;
    while (next < backlog_.size() && slice.elapsed() < kRowSliceMs) {
        const std::size_t end = std::min(backlog_.size(), next + kRowBatch);
        model_->append({std::make_move_iterator(backlog_.begin() + static_cast<std::ptrdiff_t>(next)),
                        std::make_move_iterator(backlog_.begin() + static_cast<std::ptrdiff_t>(end))});
        next = end;
    }
    backlog_.erase(backlog_.begin(), backlog_.begin() + static_cast<std::ptrdiff_t>(next));
    if (next > 0)
        emit rowsAdded();
    if (job_.total() >= 0)
        emit progressed(model_->rowCount(), static_cast<int>(job_.total()));
    if (ended && backlog_.empty()) {
        rowTimer_.stop();
        job_.wait();
        emit finished();
    }
}
