// Start-up time: from starting the process to the access window being exposed, and to its first
// frame drawn, for the program and for a minimal Qt Widgets program measured in the same run.
// Prints medians and their ratios, then where the program's own start-up time goes (measured in
// this process). It runs on the platform it is given (offscreen unless QT_QPA_PLATFORM says
// otherwise), and says which.
#include "app/Application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#ifndef CORVALLA_PROGRAM
#error "CORVALLA_PROGRAM must name the start-up probe to measure"
#endif

namespace {
constexpr int kRuns = 15;

struct Times
{
    double shown = -1;   // milliseconds until the window is exposed, negative when it never is
    double painted = -1; // and until its first frame is drawn
};

// Times a process that writes "shown" when its window is exposed and "painted" once its first
// frame is drawn. `load` names the libraries the minimal window loads first.
Times timeToShown(const QString &program, const QString &load = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!load.isEmpty())
        env.insert(QStringLiteral("CORVALLA_LOAD"), load);
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    Times t;
    QByteArray out;
    while (t.painted < 0 && process.waitForReadyRead(20000)) {
        out += process.readAllStandardOutput();
        if (t.shown < 0 && out.contains("shown"))
            t.shown = clock.nsecsElapsed() / 1e6;
        if (out.contains("painted"))
            t.painted = clock.nsecsElapsed() / 1e6;
    }
    if (!process.waitForFinished(20000))
        process.kill();
    return t;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

double spanMin(const QList<double> &v)
{
    return *std::min_element(v.begin(), v.end());
}

double spanMax(const QList<double> &v)
{
    return *std::max_element(v.begin(), v.end());
}

void printRow(const char *what, const QList<double> &program, const char *reference,
              const QList<double> &minimal)
{
    const double p = median(program), m = median(minimal);
    std::printf("  %-24s %8.1f ms (min %.1f, max %.1f)\n", what, p, spanMin(program), spanMax(program));
    std::printf("  %-24s %8.1f ms (min %.1f, max %.1f)\n", reference, m, spanMin(minimal), spanMax(minimal));
    std::printf("  %-24s %8.2f (target 1.3 or less)\n", "ratio", p / m);
}

class ExposeWatch : public QObject
{
public:
    bool exposed = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            exposed = true;
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    const QString program = QStringLiteral(CORVALLA_PROGRAM);
    const QString minimal = QStringLiteral(MINIMAL_PROGRAM);

    // One run of each to warm the file cache, then alternate so that both see the same load.
    timeToShown(program);
    timeToShown(minimal);
    QList<double> programShown, minimalShown, programPainted, minimalPainted;
    for (int i = 0; i < kRuns; ++i) {
        const Times m = timeToShown(minimal), p = timeToShown(program);
        minimalShown << m.shown;
        minimalPainted << m.painted;
        programShown << p.shown;
        programPainted << p.painted;
    }
    if (programPainted.contains(-1) || minimalPainted.contains(-1)) {
        std::printf("a process never showed or drew its window\n");
        return 1;
    }
#ifdef NDEBUG
    const char *build = "optimised";
#else
    const char *build = "debug";
#endif
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"));
    const QString manager = qEnvironmentVariable("CORVALLA_WINDOW_MANAGER");
    const QString where = platform == QLatin1String("offscreen")
                              ? QStringLiteral("offscreen platform, no display")
                              : QStringLiteral("%1 platform on %2, window manager: %3")
                                    .arg(platform, qEnvironmentVariable("DISPLAY"),
                                         manager.isEmpty() ? QStringLiteral("none") : manager);
    std::printf("start-up (%s build; %s), median of %d runs:\n", build, qPrintable(where), kRuns);
    printRow("access window exposed", programShown, "minimal window exposed", minimalShown);
    // The minimal window's size is fixed, so it is exposed before it has loaded any font; the
    // access window lays out its text, so it loads the fonts before it is exposed. Once each has
    // drawn its first frame, both have.
    printRow("access window drawn", programPainted, "minimal window drawn", minimalPainted);

    // What each library would add to the start, loaded by the minimal window before it starts;
    // the program itself loads Qt Multimedia (with the camera module), the SVG library (through
    // the toolkit's SVG image reader) and the print system's library only when first needed.
    const struct
    {
        const char *name;
        const char *load;
    } libraries[] = {
        {"Qt PrintSupport", "libQt6PrintSupport.so.6"},
        {"Qt Svg", "libQt6Svg.so.6"},
        {"Qt Multimedia", "libQt6Multimedia.so.6"},
        {"print system (libcups)", "libcups.so.2"},
    };
    std::printf("what a library adds to the minimal window's start, median of %d runs:\n", kRuns);
    for (const auto &l : libraries) {
        QList<double> with, without;
        for (int i = 0; i < kRuns; ++i) {
            without << timeToShown(minimal).shown;
            with << timeToShown(minimal, QString::fromLatin1(l.load)).shown;
        }
        std::printf("  %-24s %+7.1f ms (%.1f against %.1f)\n", l.name, median(with) - median(without),
                    median(with), median(without));
    }

    // Where the program's own part of the time goes.
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const double appMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    Corvalla::initApplication();
    const double initMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    delete new QLabel(
        QStringLiteral("x")); // the toolkit's one-off set-up (style, fonts), paid by any program
    const double firstWidgetMs = clock.nsecsElapsed() / 1e6;
    std::printf("in process: QApplication %.1f ms, initApplication %.1f ms, first widget %.1f ms\n", appMs,
                initMs, firstWidgetMs);
    QList<QWidget *> windows;
    QList<QPair<double, const char *>> costs;
    double total = 0;
    for (const Corvalla::WindowEntry &e : Corvalla::windowSet()) {
        clock.restart();
        QWidget *w = e.create();
        w->hide();
        const double ms = clock.nsecsElapsed() / 1e6;
        total += ms;
        costs.append({ms, e.className});
        windows << w;
    }
    std::sort(costs.begin(), costs.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    std::printf("  creating %d windows %.1f ms; the costliest:\n", int(windows.size()), total);
    for (qsizetype i = 0; i < std::min<qsizetype>(5, costs.size()); ++i)
        std::printf("    %-24s %6.2f ms\n", costs[i].second, costs[i].first);
    ExposeWatch watch;
    clock.restart();
    windows.constFirst()->winId();
    windows.constFirst()->windowHandle()->installEventFilter(&watch);
    Corvalla::showMainWindow(windows.constFirst());
    while (!watch.exposed && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::printf("  showing the access window until exposed %.1f ms\n", clock.nsecsElapsed() / 1e6);
    qDeleteAll(windows);
    return 0;
}
