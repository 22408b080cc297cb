// chart-bench: what the current values window costs each second.  One refresh of the
// text page with 30 tags whose readings change every time (values, and a state change
// now and then), and one repaint of that page into a 1024x768 image; mean and minimum
// per operation in microseconds.
#include "bench/bench_tags.h"
#include "bench/bench_timer.h"
#include "chart/chart_page.h"
#include "chart/chart_renderer.h"
#include "collect/current_values/text_page.h"
#include "tags/tag_doc.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kTags = 30;
constexpr int kRounds = 2000;

// Readings that move on each round: every value changes, every seventh round one tag
// takes a point error and another loses quality.
class MovingReadings : public tk70::PointReadings {
public:
    tk70::PointReading reading(int position) const override
    {
        const double value = 100.0 * position + 0.37 * m_round + (m_round % 11) * 0.013;
        const bool marked = m_round % 7 == 0 && position == m_round % kTags;
        return {marked ? 12 : 0, value, marked && position % 2 == 0};
    }
    void next() { ++m_round; }

private:
    int m_round = 0;
};

struct Timing {
    double mean = 0.0;
    double minimum = 0.0;
};

// Times operation kRounds times, each after an untimed prepare.
Timing measure(const std::function<void()> &prepare, const std::function<void()> &operation)
{
    double total = 0.0;
    double minimum = 1e300;
    for (int n = 0; n < kRounds; ++n) {
        prepare();
        const tk70::bench::Stopwatch stopwatch;
        operation();
        const double us = stopwatch.microseconds();
        total += us;
        minimum = std::min(minimum, us);
    }
    return {total / kRounds, minimum};
}

tk70::TagRecord feedFlowTag(int slot)
{
    tk70::TagRecord tag;
    tag.tagname = QStringLiteral("FIC-%1").arg(101 + slot);
    tag.description = QStringLiteral("Feed flow %1").arg(slot + 1);
    return tag;
}

}  // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;  // keeps Qt quiet about a missing runtime folder
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") && runtime.isValid()) {
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    QGuiApplication app(argc, argv);
    tk70::CTagDoc document;
    tk70::bench::fillTags(document, kTags, feedFlowTag);
    MovingReadings readings;
    tk70::ChartPage page;
    const QDateTime now = QDateTime::currentDateTime();
    tk70::TextPage text(page, document, readings, now);

    const auto nextReadings = [&] { readings.next(); };
    const auto refreshPage = [&] { text.refresh(now); };
    const Timing refresh = measure(nextReadings, refreshPage);
    QImage image(1024, 768, QImage::Format_ARGB32_Premultiplied);
    tk70::ChartRenderer renderer;
    const Timing repaint = measure(
        [&] {
            nextReadings();
            refreshPage();
        },
        [&] {
            QPainter painter(&image);
            renderer.render(painter, page, QRectF(image.rect()));
        });
    std::printf("Current values page, %d tags: refresh %7.1f us mean, %7.1f us min\n", kTags, refresh.mean,
                refresh.minimum);
    std::printf("Current values page, 1024x768 image: repaint %7.1f us mean, %7.1f us min\n", repaint.mean,
                repaint.minimum);
    return 0;
}
