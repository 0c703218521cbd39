// Timings of the classifier picker: the first opening in a run (the tables
// are loaded then), a later opening, and one locate over the KDES2 table.
// Goals: first opening < 100 ms, later opening < 30 ms, locate < 20 µs.
#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "classifier/classifier_rows.h"
#include "classifier/classifier_table.h"
#include "classifier/okv_kds.h"

namespace {

// Milliseconds from the request until the picker is shown and its pending
// events (layout, painting) are done; then it is closed.
double OpenPickerOnce(QWidget* card)
{
    QElapsedTimer clock;
    double shownAfter = -1;
    QTimer::singleShot(0, [&] {
        QCoreApplication::processEvents();
        shownAfter = double(clock.nsecsElapsed()) / 1e6;
        if (QWidget* picker = QApplication::activeModalWidget())
            picker->close();
    });
    clock.start();
    ShowClassifierPicker(CodeTarget{}, card); // closed unaccepted: it writes nothing
    return shownAfter;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Microseconds per locate of `code` (the table is moved back between runs).
double LocateMicros(ClassifierTable& table, const QString& code)
{
    constexpr int kRuns = 20000;
    QElapsedTimer clock;
    clock.start();
    int found = 0;
    for (int run = 0; run < kRuns; ++run) {
        found += table.locate(u"okved", code) ? 1 : 0;
        table.first();
    }
    const double micros = double(clock.nsecsElapsed()) / 1e3 / kRuns;
    std::printf("    (%s: %s)\n", qPrintable(code), found ? "found" : "not found");
    return micros;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget card;
    auto* code = new QLineEdit(&card);
    code->setObjectName(QStringLiteral("Ed_okved"));
    auto* label = new QLabel(&card);
    label->setObjectName(QStringLiteral("lbl_okv"));
    auto* layout = new QVBoxLayout(&card);
    layout->addWidget(code);
    layout->addWidget(label);
    card.resize(800, 600);
    card.show();
    QCoreApplication::processEvents();

    const double first = OpenPickerOnce(&card);
    std::vector<double> later;
    for (int i = 0; i < 20; ++i)
        later.push_back(OpenPickerOnce(&card));

    ClassifierTable kdes2(ClassifierRowsOf(ClassifierKind::Kdes2));
    std::printf("locate over KDES2 (%d rows):\n", kdes2.size());
    const double lastRow = LocateMicros(kdes2, QStringLiteral("99.00"));
    const double miss = LocateMicros(kdes2, QStringLiteral("99.99.99"));
    const double early = LocateMicros(kdes2, QStringLiteral("01.11.11"));

    std::printf("first opening (tables loaded, dialog shown): %8.2f ms   goal < 100 ms\n", first);
    std::printf("later opening, median of %zu:                 %8.2f ms   goal < 30 ms (max %.2f)\n", later.size(),
                Median(later), *std::max_element(later.begin(), later.end()));
    std::printf("locate, last row 99.00:                      %8.2f us   goal < 20 us\n", lastRow);
    std::printf("locate, no such code 99.99.99 (whole scan):  %8.2f us   goal < 20 us\n", miss);
    std::printf("locate, early row 01.11.11:                  %8.2f us\n", early);
    return 0;
}
