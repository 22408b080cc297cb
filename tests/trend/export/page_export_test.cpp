// A small chart page saved in each format and read back: the files are what their
// format says (headers, sizes, the title text, pixel colours), a missing folder fails
// with the file named, and the save dialog's filters map to the formats one to one.
#include "chart/chart_page.h"
#include "chart/chart_palette.h"
#include "chart/chart_static_data.h"
#include "trend/export/page_export.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace tk70 {
namespace {

const QString kTitle = QStringLiteral("Export Title 42");

// A yellow page with a red square in its top left corner, a graph window with one
// polyline, and the title.
void buildPage(ChartPage &page)
{
    page.setBackground(14);
    page.addRect(QRectF(0.0, 0.0, 0.1, 0.1), 12);
    const ChartHandle window = page.addGraphWindow(QRectF(0.2, 0.2, 0.6, 0.6));
    page.setScale(window, ChartScale{0.0, 2.0, 0.0, 10.0});
    auto data = std::make_shared<ChartStaticData>(1, 3);
    data->setValue(0, 0, 2.0);
    data->setValue(1, 0, 8.0);
    data->setValue(2, 0, 5.0);
    page.addLinePlot(window, data, 0, 9);
    ChartTextStyle style;
    style.pointSize = 14;
    page.addText(QPointF(0.5, 0.9), kTitle, style);
}

quint32 dword(const QByteArray &bytes, int offset) { return qFromLittleEndian<quint32>(bytes.constData() + offset); }
quint16 word(const QByteArray &bytes, int offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); }

// The characters of every <text> element, after checking the document is well-formed.
QString svgText(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    QString text;
    bool inText = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement())
            inText = xml.name() == QLatin1String("text");
        else if (inText && xml.isCharacters())
            text += xml.text();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return text;
}

void expectPng(const QByteArray &bytes)
{
    QImage image;
    ASSERT_TRUE(image.loadFromData(bytes, "PNG"));
    EXPECT_EQ(image.size(), kExportPageSize);
    EXPECT_EQ(image.pixel(40, 30), paletteRgb(12));    // the red square
    EXPECT_EQ(image.pixel(1000, 30), paletteRgb(14));  // the page background
}

struct FormatCase {
    ExportFormat format;
    const char *file;
    std::function<void(const QByteArray &)> check;
};

// The small page saved as name in folder in format; the file's path.
QString exportTo(const QTemporaryDir &folder, const char *name, ExportFormat format)
{
    ChartPage page;
    buildPage(page);
    const QString path = folder.filePath(QString::fromLatin1(name));
    QString error;
    EXPECT_TRUE(exportPage(page, path, format, &error)) << error.toStdString();
    return path;
}

TEST(PageExportTest, EachFormatWritesAWellFormedFile)
{
    const FormatCase cases[] = {
        {ExportFormat::Emf, "graph.emf",
         [](const QByteArray &b) {
             EXPECT_EQ(dword(b, 0), 1u);                               // EMR_HEADER
             EXPECT_EQ(b.mid(40, 4), QByteArray(" EMF"));              // its signature
             EXPECT_EQ(dword(b, 48), static_cast<quint32>(b.size()));  // the size it states
         }},
        {ExportFormat::PlaceableWmf, "graph.wmf",
         [](const QByteArray &b) {
             EXPECT_EQ(dword(b, 0), 0x9AC6CDD7u);  // the placeable key
             EXPECT_EQ(word(b, 22 + 2), 9);        // then the 9-word WMF header
             EXPECT_EQ(dword(b, 22 + 6) * 2, static_cast<quint32>(b.size() - 22));
         }},
        {ExportFormat::StandardWmf, "plain.wmf",
         [](const QByteArray &b) {
             EXPECT_EQ(word(b, 0), 1);  // a memory metafile, without a placeable header
             EXPECT_EQ(word(b, 2), 9);
             EXPECT_EQ(dword(b, 6) * 2, static_cast<quint32>(b.size()));
         }},
        {ExportFormat::Svg, "graph.svg", [](const QByteArray &b) { EXPECT_TRUE(svgText(b).contains(kTitle)); }},
        {ExportFormat::Pdf, "graph.pdf",
         [](const QByteArray &b) {
             EXPECT_TRUE(b.startsWith("%PDF-"));
             EXPECT_TRUE(b.trimmed().endsWith("%%EOF"));
         }},
        {ExportFormat::Png, "graph.png", expectPng},
    };
    QTemporaryDir folder;
    for (const FormatCase &c : cases) {
        SCOPED_TRACE(c.file);
        QFile file(exportTo(folder, c.file, c.format));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GT(bytes.size(), 64);
        c.check(bytes);
    }
}

TEST(PageExportTest, PdfHoldsTheTitleAsText)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the PDF's text cannot be read back";
    QTemporaryDir folder;
    QProcess process;
    process.start(pdftotext, {exportTo(folder, "graph.pdf", ExportFormat::Pdf), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains(kTitle));
}

TEST(PageExportTest, AMissingFolderFailsNamingTheFile)
{
    ChartPage page;
    buildPage(page);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing/graph.emf"));
    QString error;
    EXPECT_FALSE(exportPage(page, path, ExportFormat::Emf, &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
}

// A name gets the format's suffix unless it ends in it already, in any case.
TEST(ExportFormatTest, NamesGetTheFormatsSuffix)
{
    EXPECT_EQ(withExportSuffix(QStringLiteral("graph"), ExportFormat::PlaceableWmf), QStringLiteral("graph.wmf"));
    EXPECT_EQ(withExportSuffix(QStringLiteral("GRAPH.SVG"), ExportFormat::Svg), QStringLiteral("GRAPH.SVG"));
    EXPECT_EQ(withExportSuffix(QStringLiteral("graph.emf"), ExportFormat::Pdf), QStringLiteral("graph.emf.pdf"));
    EXPECT_EQ(exportFormatForFilter(QStringLiteral("All Files (*)")), std::nullopt);
}

}  // namespace
}  // namespace tk70
