// The three text data files byte for byte: a header and two samples of a group that
// writes three of five tags, with and without a save inhibit tag, and appending.
#include "tests/collect/datafile/datafile_fixture.h"

#include <QFile>

using namespace tk70;
using namespace tk70test;

namespace {

const QString kAscii = QStringLiteral("ASCII");
const QString kCsv = QStringLiteral("CSV");
const QString kDos = QStringLiteral("TK70 (DOS)");

// The ASCII file with the given end of the starting-date line.
QByteArray asciiFile(const QByteArray &startingDateLineEnd)
{
    return "                       TK70 Pro DATA COLLECTION PROGRAM\r\n"
           "\r\n"
           "Starting Date 12/06/96 - TSF Name : /home/op/plant.tsf - Collection # 2 " +
           startingDateLineEnd +
           "\r\n"
           "\r\n"
           "                          FIC101         TI_205 FEEDWATER_FLOW \r\n"
           " DATE      TIME     01-12-02-3423  01-05-04-0017  02-07-10-1200 \r\n"
           "--------  --------  -------------  -------------  ------------- \r\n"
           "12/06/96  14:27:15       1234.500        -5.0000*     ERROR-012* \r\n"
           "12/06/96  14:27:25        0.05000        0.00000    1.23457e+08* \r\n";
}

QByteArray csvFile(const QByteArray &startingDateLineEnd)
{
    return "\"TK70 Pro DATA COLLECTION PROGRAM\"\r\n"
           "\r\n"
           "\"Starting Date\",\"12/06/96\",\"TSF Name:\",\"/home/op/plant.tsf\",\"Collection # 2\"" +
           startingDateLineEnd +
           "\r\n"
           "\r\n"
           "\"\",\"\",\"FIC101\",\"\",\"TI_205\",\"\",\"FEEDWATER_FLOW\",\"\"\r\n"
           "\"DATE\",\"TIME\",\"01-12-02-3423\",\"\",\"01-05-04-0017\",\"\",\"02-07-10-1200\",\"\"\r\n"
           "\"--------\",\"--------\",\"-------------\",\"-\",\"-------------\",\"-\",\"-------------\",\"-\"\r\n"
           "\"12/06/96\",\"14:27:15\",1234.5,\"\",-5,\"*\",\"ERROR-012\",\"*\"\r\n"
           "\"12/06/96\",\"14:27:25\",0.05,\"\",0,\"\",1.23457e+08,\"*\"\r\n";
}

const QByteArray kDosFile = "                       TK70 DATA COLLECTION PROGRAM\r\n"
                            "\r\n"
                            "Date  12/6/96\r\n"
                            "\r\n"
                            "    TIME    12-02-3423  5-04-0017  7-10-1200 \r\n"
                            "             FIC101     TI_205     FEEDWATER  \r\n"
                            "----------- ---------- ---------- ---------- \r\n"
                            "14:27:15.00   1234.500     -5.000* ERROR-012  \r\n"
                            "14:27:25.00      0.050      0.000  123456789* \r\n";

// Where the last line of text begins.
qsizetype lastLineStart(const QByteArray &text) { return text.lastIndexOf('\n', text.size() - 2) + 1; }

}  // namespace

TEST_F(DataFileTest, AsciiFileByteForByte)
{
    EXPECT_EQ(writeTwoSamples(kAscii), asciiFile(""));
    EXPECT_EQ(writeTwoSamples(kAscii, QStringLiteral("TI_205")), asciiFile("- Save Inhibit Tag : TI_205"));
}

TEST_F(DataFileTest, CsvFileByteForByte)
{
    EXPECT_EQ(writeTwoSamples(kCsv), csvFile(""));
    EXPECT_EQ(writeTwoSamples(kCsv, QStringLiteral("TI_205")), csvFile(",\"Save Inhibit Tag:\",\"TI_205\""));
}

TEST_F(DataFileTest, DosFileByteForByteAndWithoutTheInhibitTag)
{
    EXPECT_EQ(writeTwoSamples(kDos), kDosFile);
    EXPECT_EQ(writeTwoSamples(kDos, QStringLiteral("TI_205")), kDosFile);
}

TEST_F(DataFileTest, DosDateIsUnpaddedAndAddressesDropTheLoopAndKeepPcuBelow100)
{
    const std::vector<DataColumn> columns{{0, QStringLiteral("A"), 3, 105, 7, 42},
                                          {1, QStringLiteral("NINECHARS"), 99, 1, 31, 9999}};
    HeaderFacts facts = plantFacts();
    facts.startingDate = QDateTime(QDate(2007, 3, 9), QTime(0, 0));
    auto output = openOutput(kDos, QStringLiteral("x.DAT"));
    output->writeHeader(facts, columns);
    output->close();
    const QList<QByteArray> lines = fileLines(path(QStringLiteral("x.DAT")));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[2], "Date  3/9/7");
    EXPECT_EQ(lines[4], "    TIME     5-07-0042  1-31-9999 ");
    EXPECT_EQ(lines[5], "             A          NINECHARS  ");
}

TEST_F(DataFileTest, TagNamesAreWrittenInWindows1252)
{
    const std::vector<DataColumn> columns{{0, QString::fromUtf8("Temp°C€Ω"), 1, 2, 3, 4}};
    for (const QString &type : {kAscii, kCsv, kDos}) {
        auto output = openOutput(type, QStringLiteral("names"));
        output->writeHeader(plantFacts(), columns);
        output->close();
        EXPECT_TRUE(fileBytes(path(QStringLiteral("names")))
                        .contains("Temp\xB0"
                                  "C\x80?"))
            << type.toStdString();
    }
    EXPECT_EQ(fileLines(path(QStringLiteral("names")))[5], "             Temp\xB0"
                                                           "C\x80?   ")
        << "the DOS name is padded by characters";
}

TEST_F(DataFileTest, ACsvTextHoldingAQuoteKeepsItsFieldWhole)
{
    const std::vector<DataColumn> columns{{0, QStringLiteral("6\"LINE"), 1, 2, 3, 4}};
    HeaderFacts facts = plantFacts();
    facts.tsfPath = QStringLiteral("/plant/\"unit\" 4.tsf");
    auto output = openOutput(kCsv, QStringLiteral("q.csv"));
    output->writeHeader(facts, columns);
    output->close();
    const QList<QByteArray> lines = fileLines(path(QStringLiteral("q.csv")));
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[2].contains(",\"/plant/\"\"unit\"\" 4.tsf\",")) << lines[2].constData();
    EXPECT_EQ(lines[4], "\"\",\"\",\"6\"\"LINE\",\"\"");
}

TEST_F(DataFileTest, AppendingAddsACompleteHeaderBeforeTheNewSamples)
{
    const std::vector<DataColumn> columns = threeOfFiveColumns();
    for (const QString &type : {kAscii, kCsv, kDos}) {
        const QString name = QStringLiteral("appended");
        QFile::remove(path(name));
        auto first = openOutput(type, name, true);
        first->writeHeader(plantFacts(), columns);
        first->writeSample(onPlantDay(14, 27, 15), columns, firstSample());
        first->close();
        const QByteArray firstRun = fileBytes(path(name));

        auto second = openOutput(type, name, true);
        second->writeHeader(plantFacts(), columns);
        second->writeSample(onPlantDay(14, 27, 25), columns, secondSample());
        second->close();
        EXPECT_TRUE(m_messages.messages().empty()) << "appending asks nothing";

        const QByteArray header = firstRun.left(lastLineStart(firstRun));
        const QByteArray both = writeTwoSamples(type);
        const QByteArray secondLine = both.mid(lastLineStart(both));
        EXPECT_EQ(fileBytes(path(name)), firstRun + header + secondLine) << type.toStdString();
    }
}
