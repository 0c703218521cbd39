// Start-up of the main window beside a bare Qt form of the same scale (seven
// tabs, about 110 labelled edits, two grids, a row of buttons):
// - time from creating the window to its first paint, both timed in the same
//   run; goal: at most 1.2 times the bare form's;
// - peak memory of the process at the first paint, each window in a process
//   of its own (this program started again with --peak card|bare); goal: at
//   most 1.1 times the bare form's.
// The main window reads its caption's version from the built program file,
// as the program does.
//
// Run with QT_QPA_PLATFORM=offscreen (as `make bench` does) or on a display.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "version/file_version.h"
#include "widgets/form_font.h"
#include "window/main_window.h"

namespace {

// Notes the first paint of the watched window.
class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// A plain form with as many controls as the card window, built the plain way.
std::unique_ptr<QWidget> BareForm()
{
    auto form = std::make_unique<QWidget>();
    form->setFont(FormFont());
    auto* tabs = new QTabWidget(form.get());
    tabs->setGeometry(4, 4, 757, 466);
    int edits = 0;
    for (int page = 0; page < 7; ++page) {
        auto* sheet = new QWidget;
        const int perPage = page == 0 ? 10 : 16;
        for (int i = 0; i < perPage; ++i, ++edits) {
            auto* label = new QLabel(QStringLiteral("Поле номер %1").arg(edits), sheet);
            label->setGeometry(8, 10 + i * 25, 200, 21);
            auto* edit = new QLineEdit(sheet);
            edit->setGeometry(212, 10 + i * 25, 300, 21);
            edit->setMaxLength(200);
            label->setBuddy(edit);
        }
        if (page < 2) {
            const int columns = page == 0 ? 2 : 5;
            const int rows = page == 0 ? 11 : 21;
            auto* grid = new QTableWidget(rows, columns, sheet);
            grid->setGeometry(8, 270, 700, 160);
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c)
                    grid->setItem(r, c, new QTableWidgetItem);
        }
        tabs->addTab(sheet, QStringLiteral("Страница %1").arg(page));
    }
    const char* captions[] = {"<< Назад", "Далее >>", "Загрузить", "Сохранить", "Закрыть"};
    const int lefts[] = {8, 104, 453, 553, 653};
    for (int i = 0; i < 5; ++i)
        (new QPushButton(QString::fromUtf8(captions[i]), form.get()))->setGeometry(lefts[i], 476, 95, 25);
    form->resize(773, 556);
    form->setWindowTitle(QStringLiteral("Форма"));
    return form;
}

// Milliseconds from creating the window to the end of its first paint.
double TimeToFirstPaint(const std::function<std::unique_ptr<QWidget>()>& create)
{
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QWidget> window = create();
    FirstPaint watcher;
    window->installEventFilter(&watcher);
    window->show();
    while (!watcher.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    window->removeEventFilter(&watcher);
    window.reset();
    QCoreApplication::processEvents();
    return ms;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The process's peak resident memory so far (VmHWM), in MiB; 0 when unknown.
double PeakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// Child process: shows one window, and prints the peak memory at its first paint.
int PeakAtFirstPaint(const QByteArray& which)
{
    std::unique_ptr<QWidget> window(which == "card" ? static_cast<QWidget*>(new TFrmGn) : BareForm().release());
    FirstPaint watcher;
    window->installEventFilter(&watcher);
    window->show();
    while (!watcher.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("%.2f\n", PeakMiB());
    return 0;
}

// The peak memory at the first paint of `which`, median of `runs` processes.
double MedianPeakMiB(const char* which, int runs)
{
    std::vector<double> peaks;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), QString::fromLatin1(which)});
        child.waitForFinished(60000);
        peaks.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    return Median(peaks);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TFrmGn::setProgramFile(QStringLiteral(UNRA5_CARD_EXE));
    if (argc == 3 && QByteArray(argv[1]) == "--peak")
        return PeakAtFirstPaint(argv[2]);
    const auto card = [] { return std::unique_ptr<QWidget>(new TFrmGn); };
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;

    // One round of each to warm up fonts, styles and caches.
    TimeToFirstPaint(card);
    TimeToFirstPaint(BareForm);

    std::vector<double> cardTimes, bareTimes;
    for (int i = 0; i < rounds; ++i) {
        cardTimes.push_back(TimeToFirstPaint(card));
        bareTimes.push_back(TimeToFirstPaint(BareForm));
    }

    QElapsedTimer versionClock;
    versionClock.start();
    for (int i = 0; i < 10; ++i)
        FileVersionText(UNRA5_CARD_EXE);
    const double versionMs = static_cast<double>(versionClock.nsecsElapsed()) / 1e6 / 10;

    const double cardMs = Median(cardTimes);
    const double bareMs = Median(bareTimes);
    const double cardMiB = MedianPeakMiB("card", 5);
    const double bareMiB = MedianPeakMiB("bare", 5);
    std::printf("platform                   %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("rounds                     %d (median of each)\n", rounds);
    std::printf("main window, first paint   %.2f ms\n", cardMs);
    std::printf("bare form, first paint     %.2f ms\n", bareMs);
    std::printf("ratio                      %.2f (goal <= 1.20)\n", cardMs / bareMs);
    std::printf("  of which version lookup  %.2f ms (section headers and the version section read)\n", versionMs);
    std::printf("main window, peak memory   %.1f MiB at the first paint (median of 5 processes)\n", cardMiB);
    std::printf("bare form, peak memory     %.1f MiB\n", bareMiB);
    std::printf("ratio                      %.2f (goal <= 1.10)\n", cardMiB / bareMiB);
    return cardMs / bareMs <= 1.2 && cardMiB / bareMiB <= 1.1 ? 0 : 1;
}
