// Start-up time of the main window: from creating it to its first paint,
// beside a bare Qt form of the same scale (seven tabs, about 110 labelled
// edits, two grids, a row of buttons) timed in the same run. Goal: the main
// window takes at most 1.5 times as long as the bare form.
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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "window/file_version.h"
#include "window/form_font.h"
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

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
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
        FileVersionText(QCoreApplication::applicationFilePath().toStdString());
    const double versionMs = static_cast<double>(versionClock.nsecsElapsed()) / 1e6 / 10;

    const double cardMs = Median(cardTimes);
    const double bareMs = Median(bareTimes);
    std::printf("platform                   %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("rounds                     %d (median of each)\n", rounds);
    std::printf("main window, first paint   %.2f ms\n", cardMs);
    std::printf("bare form, first paint     %.2f ms\n", bareMs);
    std::printf("ratio                      %.2f (goal <= 1.50)\n", cardMs / bareMs);
    std::printf("  of which version lookup  %.2f ms (whole program file scanned)\n", versionMs);
    return cardMs / bareMs <= 1.5 ? 0 : 1;
}
