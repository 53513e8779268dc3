// The control panel's own cost, with no camera traffic: the refresh that
// follows every whole-set read (median of many runs) and the panel's
// construction with its set-up. A refresh should stay far below one
// exchange on the wire, so that a whole-set read is bounded by the line.
// Run build/tests/bench/panelbench [refreshes] on the offscreen platform.
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "panel/czqb40view.h"
#include "support/guifixture.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void StoreText(int first, int count, const QByteArray &text)
{
    for (int i = 0; i < count; ++i) {
        const int lo = 2 * i < text.size() ? quint8(text[2 * i]) : 0;
        const int hi = 2 * i + 1 < text.size() ? quint8(text[2 * i + 1]) : 0;
        theCamera.SetValue(first + i, lo | hi << 8);
    }
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int refreshes = argc > 1 ? qMax(1, atoi(argv[1])) : 1000;
    constexpr int kBuilds = 50;

    GuiFixture rig;
    rig.OpenPort();
    CZQB40Doc doc(theCamera);

    // A full panel: a known model and firmware, every group with a choice.
    StoreText(31, 8, "Vantorix");
    StoreText(39, 8, "ZQ-M710ALX");
    StoreText(47, 4, "12345678");
    StoreText(51, 2, "1090");
    const int values[][2] = {{1, 1},  {4, 255},  {5, 300},   {7, 917}, {9, 1},
                             {17, 1}, {18, 100}, {19, 1000}, {21, 1},  {27, 3}};
    for (const auto &v : values)
        theCamera.SetValue(v[0], v[1]);

    std::vector<double> builds;
    for (int i = 0; i < kBuilds; ++i) {
        QElapsedTimer t;
        t.start();
        auto *view = new CZQB40View(&doc);
        view->InitPanel();
        builds.push_back(t.nsecsElapsed() / 1e6);
        delete view;
    }

    CZQB40View view(&doc);
    view.InitPanel();
    view.show();
    app.processEvents();
    std::vector<double> times;
    times.reserve(size_t(refreshes));
    for (int i = 0; i < refreshes; ++i) {
        QElapsedTimer t;
        t.start();
        view.RefreshPanel();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("panel construction with InitPanel: median %.3f ms of %d\n", Median(builds),
                kBuilds);
    std::printf("RefreshPanel: median %.3f ms, worst %.3f ms of %d runs (goal: under 2 ms)\n",
                Median(times), *std::max_element(times.begin(), times.end()), refreshes);
    if (!rig.TakePayloads().isEmpty()) {
        std::printf("a refresh talked to the camera\n");
        return 1;
    }
    return Median(times) < 2.0 ? 0 : 1;
}
