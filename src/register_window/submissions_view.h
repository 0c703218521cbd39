#pragma once
// The tab «Сдали / не сдали»: matched by INN, the enterprises of the
// reference without a card for the chosen year and period, and those new in
// it. The reference is the same period of the year before, or the office's
// own list of enterprises chosen with «Список предприятий…».
#include <QWidget>

#include <optional>
#include <vector>

#include "register/reference_list.h"
#include "register/register_submissions.h"

class CellTableModel;
class QLabel;
class QPushButton;
class QTableView;

class SubmissionsView final : public QWidget {
    Q_OBJECT
public:
    explicit SubmissionsView(QWidget* parent);

    CellTableModel* model() const { return model_; }
    // The office's list, when one was chosen.
    const reg::ReferenceList* reference() const { return reference_ ? &*reference_ : nullptr; }
    // Reads the office's list from `path` (UTF-8); false after a message
    // that names the file and says why not.
    bool useReference(const QString& path);
    // The lists of the read cards among `rows` for `period`, narrowed to
    // the district filter's item; without a period the tab asks for one.
    void show(const std::vector<const reg::RegisterRow*>& rows, std::optional<int> district,
              std::optional<reg::YearPeriod> period);

signals:
    void referenceChanged();

private:
    void chooseReference();

    CellTableModel* model_;
    QLabel* title_;
    QPushButton* btnReference_;
    QTableView* table_;
    std::optional<reg::ReferenceList> reference_;
};
