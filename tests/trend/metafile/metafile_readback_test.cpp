// The metafiles read back by another program: every WMF the tests write converts through
// libwmf's wmf2svg, and the SVG holds the polylines and texts drawn.  A trend-like chart
// page is exported in all three kinds to build/screenshots/metafile-demo.* for review.
#include "chart/chart_dynamic_data.h"
#include "chart/chart_page.h"
#include "chart/chart_palette.h"
#include "chart/chart_renderer.h"
#include "tests/trend/metafile/metafile_test_page.h"
#include "tests/trend/metafile/metafile_test_reader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace tk70 {
namespace {

using namespace tk70test;

struct SvgPolyline {
    std::vector<QPointF> points;
    QString style;
};

struct Svg {
    bool converted = false;
    QString text;  // the texts' characters in drawing order (libwmf writes one per element)
    std::vector<SvgPolyline> polylines;
};

// Converts a WMF file with wmf2svg (waiting at most 30 s) and picks out texts and polylines.
Svg convert(const QString &wmfPath)
{
    Svg svg;
    const QString svgPath = QString(wmfPath).replace(QStringLiteral(".wmf"), QStringLiteral(".svg"));
    QProcess process;
    process.start(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svgPath, wmfPath});
    svg.converted = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0 && process.readAllStandardError().isEmpty();
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly))
        return Svg{};
    const QString content = QString::fromLatin1(file.readAll());  // libwmf writes text bytes as they are
    static const QRegularExpression text(QStringLiteral(">([^<]*)</text>"));
    for (const auto &match : text.globalMatch(content))
        svg.text += match.captured(1);
    static const QRegularExpression polyline(QStringLiteral("<polyline points=\"([^\"]*)\"\\s*style=\"([^\"]*)\""));
    for (const auto &match : polyline.globalMatch(content)) {
        SvgPolyline line{{}, match.captured(2)};
        const QStringList pairs = match.captured(1).simplified().split(QLatin1Char(' '));
        for (const QString &pair : pairs)
            line.points.emplace_back(pair.section(',', 0, 0).toDouble(), pair.section(',', 1, 1).toDouble());
        svg.polylines.push_back(line);
    }
    return svg;
}

bool haveWmf2svg() { return !QStandardPaths::findExecutable(QStringLiteral("wmf2svg")).isEmpty(); }

TEST(MetafileReadbackTest, Wmf2svgReadsPolylinesAndTextsOfBothWmfKinds)
{
    if (!haveWmf2svg())
        GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    QTemporaryDir folder;
    for (MetafileKind kind : {MetafileKind::Placeable, MetafileKind::Standard}) {
        SCOPED_TRACE(int(kind));
        const QString path = folder.filePath(QStringLiteral("page%1.wmf").arg(int(kind)));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(smallPage(kind));
        file.close();
        const Svg svg = convert(path);
        EXPECT_TRUE(svg.converted);
        EXPECT_TRUE(svg.text.startsWith(QStringLiteral("Title "))) << svg.text.toStdString();
        ASSERT_EQ(svg.polylines.size(), 1u);
        const SvgPolyline &trace = svg.polylines.front();
        EXPECT_TRUE(trace.style.contains(QStringLiteral("stroke:red")));
        EXPECT_FALSE(trace.style.contains(QStringLiteral("dasharray:none")));
        // 10,50 60,70 110,50 whatever scale the converter chooses: the middle point halfway
        // across and lower, the last one level with the first.
        ASSERT_EQ(trace.points.size(), 3u);
        const QPointF a = trace.points[0], b = trace.points[1], c = trace.points[2];
        EXPECT_NEAR((b.x() - a.x()) / (c.x() - a.x()), 0.5, 0.01);
        EXPECT_GT(b.y(), a.y() + 10);
        EXPECT_NEAR(c.y(), a.y(), 0.01);
    }
}

// A page like a trend graph: a black window with a grid, time and value axes, two traces
// (one dashed), their legend and the title.
void buildTrendPage(ChartPage &page, std::shared_ptr<ChartDynamicData> &data)
{
    const ChartHandle window = page.addGraphWindow(QRectF(0.0, 0.0, 0.999, 0.999), kPaletteBlack);
    page.setPlotArea(window, QRectF(0.08, 0.08, 0.68, 0.78), kPaletteBlack, 7);
    page.setScale(window, ChartScale{0.0, 120.0, 0.0, 100.0});
    ChartTextStyle axisStyle;
    axisStyle.colour = kPaletteWhite;
    const ChartHandle x = page.addAxis(window, Qt::Horizontal, 30.0, 0, QStringLiteral("Time of Day"), axisStyle);
    page.setTimeAxis(x, 13 * 3600 + 58 * 60, 5.0);
    page.setAxisGrid(x, 8);
    page.setAxisGrid(page.addAxis(window, Qt::Vertical, 20.0, 0, QStringLiteral("Percent"), axisStyle), 8);
    data = std::make_shared<ChartDynamicData>(2, 121);
    for (int i = 0; i < 121; ++i)
        data->append({50 + 30 * std::sin(i / 9.0), 70 + 10 * std::cos(i / 5.0)});
    const int colours[] = {12, 14};
    for (int trace = 0; trace < 2; ++trace) {
        page.addLinePlot(window, data, trace, colours[trace], trace == 1 ? Qt::DashLine : Qt::SolidLine);
        ChartTextStyle label;
        label.colour = colours[trace];
        page.addRect(QRectF(0.8, 0.1 + 0.08 * trace, 0.015, 0.025), colours[trace], 7);
        page.addText(QPointF(0.825, 0.1 + 0.08 * trace), QStringLiteral("TAG-%1").arg(trace + 1), label);
    }
    ChartTextStyle title;
    title.pointSize = 14;
    title.bold = true;
    title.colour = kPaletteWhite;
    title.alignment = Qt::AlignHCenter | Qt::AlignTop;
    page.addText(QPointF(0.5, 0.92), QStringLiteral("TK70 Pro Trend Graph # 1"), title);
}

// The longest polyline's points in a metafile's records.
std::vector<QPoint> longestPolyline(const QByteArray &data, MetafileKind kind)
{
    const bool enhanced = kind == MetafileKind::Enhanced;
    const MetafileWalk records = walk(data, enhanced ? 0 : (kind == MetafileKind::Placeable ? 40 : 18), enhanced);
    std::vector<QPoint> longest;
    for (const MetafileRecord &record : records.records) {
        if (record.type != (enhanced ? 4u : 0x325u))
            continue;
        const std::vector<qint32> p = params(record, enhanced);
        std::vector<QPoint> points;
        for (size_t i = enhanced ? 5 : 1; i + 1 < p.size(); i += 2)
            points.emplace_back(p[i], p[i + 1]);
        if (points.size() > longest.size())
            longest = points;
    }
    return longest;
}

TEST(MetafileReadbackTest, TrendPageExportsInAllThreeKinds)
{
    ChartPage page;
    std::shared_ptr<ChartDynamicData> data;
    buildTrendPage(page, data);
    const QString folder = QStringLiteral(TK70_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        MetafileKind kind;
        const char *name;
    } kinds[] = {{MetafileKind::Enhanced, "metafile-demo.emf"},
                 {MetafileKind::Placeable, "metafile-demo-placeable.wmf"},
                 {MetafileKind::Standard, "metafile-demo-standard.wmf"}};
    std::vector<QPoint> enhancedTrace;
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.name);
        MetafileDevice device(k.kind, QSize(1024, 768));
        ChartRenderer renderer;
        QPainter painter(&device);
        renderer.render(painter, page, QRectF(0, 0, 1024, 768), ChartRenderMode::Screen);
        painter.end();
        const QString path = folder + QLatin1Char('/') + QLatin1String(k.name);
        QString error;
        ASSERT_TRUE(device.save(path, &error)) << error.toStdString();
        // Both traces: 121 rows each; the same device points in every kind.
        const std::vector<QPoint> trace = longestPolyline(device.bytes(), k.kind);
        EXPECT_EQ(trace.size(), 121u);
        if (k.kind == MetafileKind::Enhanced)
            enhancedTrace = trace;
        else
            EXPECT_EQ(trace, enhancedTrace);
        if (k.kind == MetafileKind::Enhanced || !haveWmf2svg())
            continue;
        const Svg svg = convert(path);
        EXPECT_TRUE(svg.converted);
        for (const char *text : {"TK70 Pro Trend Graph # 1", "Percent", "Time of Day", "TAG-2", "14:08:00"})
            EXPECT_TRUE(svg.text.contains(QLatin1String(text))) << text;
        EXPECT_EQ(std::count_if(svg.polylines.begin(), svg.polylines.end(),
                                [](const SvgPolyline &line) { return line.points.size() == 121; }),
                  2);
    }
}

}  // namespace
}  // namespace tk70
