// The tuning session against the simulated CIU: the catalogue's names, what a read shows,
// paging, entries offered to the driver, the refusals of Update, the write with its
// verifying read, and a read the CIU never answers.
#include "function_codes.h"
#include "modal_helper.h"
#include "tuning_page.h"
#include "tune_fixture.h"

#include <QElapsedTimer>
#include <optional>

using namespace tk70;

TEST(FunctionCodes, NamesAreShownWithTheirCode)
{
    const std::pair<int, const char *> rows[] = {
        {0, "Function Code Error"}, {13, "Interger Transfer"}, {145, "Fequency Counter/Slave"},
        {217, "Enhance Calibration Command"}, {231, "Strategic Loop Controller Station"}, {255, "Reserved"}};
    for (const auto &[code, name] : rows)
        EXPECT_EQ(functionCodeName(code), QString::fromLatin1(name)) << code;
    EXPECT_EQ(functionCodeName(256), QString());
    EXPECT_EQ(functionCodeTitle(19), QStringLiteral("FC 19  -  PID (PV and SP)"));
}

TEST_F(TuneTest, AReadShowsTheFunctionCodeAndEnablesUpdateOnlyForADefinedOne)
{
    struct Row {
        int block;
        const char *status;
        bool update;
        const char *first;  // spec 1 as shown
    };
    const Row rows[] = {{kPid, "FC 19  -  PID (PV and SP)", true, "100.000000"},
                        {kUndefined, "Undefined Function Block", false, "0.000000"},
                        {20, "FC 15  -  Summer (2 input)", true, "10.000000"}};
    for (const Row &row : rows) {
        ASSERT_TRUE(readBlock(row.block));
        EXPECT_EQ(session().status(), QString::fromLatin1(row.status));
        EXPECT_EQ(session().updateEnabled(), row.update) << row.block;
        EXPECT_EQ(session().entry(0), QString::fromLatin1(row.first)) << row.block;
    }
    EXPECT_FALSE(session().entryEnabled(0));  // the summer's S1 is not tunable
    EXPECT_TRUE(session().entryEnabled(2));
    EXPECT_TRUE(session().entry(4).isEmpty());  // four specs: fields 5 to 9 empty
    EXPECT_FALSE(session().entryEnabled(4));
    EXPECT_FALSE(session().nextEnabled());
}

// Pages start at specs 1, 10 and 12 going forward, then 3 and 1 going back.
TEST_F(TuneTest, TwentySpecsPageByNineAndTheLastPageShowsTheLastNine)
{
    ASSERT_TRUE(readBlock(kTwentySpecs));
    struct Step {
        void (TuneSession::*turn)();
        int first;
        bool previous, next;
    };
    const Step steps[] = {{&TuneSession::nextPage, 10, true, true},
                          {&TuneSession::nextPage, 12, true, false},
                          {&TuneSession::previousPage, 3, true, true},
                          {&TuneSession::previousPage, 1, false, true}};
    for (const Step &step : steps) {
        (session().*step.turn)();
        EXPECT_EQ(session().specNumber(0), step.first);
        EXPECT_EQ(session().specNumber(8), step.first + 8);
        EXPECT_EQ(session().entry(8), specText(step.first + 8));
        EXPECT_EQ(session().previousEnabled(), step.previous) << step.first;
        EXPECT_EQ(session().nextEnabled(), step.next) << step.first;
    }
}

// Turning the page offers the tunable entries: a text that is no number as 0, the number
// a text starts with; a value the block refuses keeps the page and names the entry.
TEST_F(TuneTest, TurningThePageOffersTheEntriesOfTheTunableSpecs)
{
    struct Row {
        int block;
        int field;
        const char *text;
        std::optional<double> value;  // what the entry then holds, or refused
    };
    const Row rows[] = {{kTwentySpecs, 0, "abc", 0.0},
                        {kTwentySpecs, 1, "  12.5xyz", 12.5},
                        {kTwentySpecs, 2, "-3e2", -300.0},
                        {kPid, 4, "300", std::nullopt}};  // S5 is a byte
    for (const Row &row : rows) {
        ASSERT_TRUE(readBlock(row.block));
        const int beeps = m_beeps;
        session().setEntry(row.field, QString::fromLatin1(row.text));
        session().nextPage();
        if (row.value) {
            EXPECT_EQ(session().specNumber(0), 10) << row.text;
            EXPECT_EQ(CiuGetTuneSpecValue(row.field + 1), *row.value) << row.text;
        } else {
            EXPECT_EQ(session().status(), QStringLiteral("Invalid Value in Spec %1").arg(row.field + 1));
            EXPECT_EQ(session().specNumber(0), 1);
            EXPECT_EQ(session().entry(row.field), QString::fromLatin1(row.text));
            EXPECT_EQ(m_beeps, beeps + 1);
        }
    }
}

TEST_F(TuneTest, UpdateRefusesABlockNotReadAndInhibitedTuning)
{
    struct Row {
        bool read, inhibited;
        const char *text, *title;
        MessageIcon icon;
    };
    const Row rows[] = {
        {false, false, "Block Information Not Current.", "TK70 Pro Tuning Error", MessageIcon::Stop},
        {true, true, "Block Tuning is Currently Inhibited.\nValues Not Updated.", "TK70 Pro Tuning",
         MessageIcon::Information}};
    for (const Row &row : rows) {
        if (row.read) {
            ASSERT_TRUE(readBlock(kTwentySpecs));
        }
        m_inhibited = row.inhibited;
        const QString status = session().status();
        m_messages.clear();
        session().update();
        ASSERT_EQ(m_messages.messages().size(), 1u);
        EXPECT_EQ(m_messages.messages()[0].text, QString::fromLatin1(row.text));
        EXPECT_EQ(m_messages.messages()[0].title, QString::fromLatin1(row.title));
        EXPECT_EQ(m_messages.messages()[0].icon, row.icon);
        EXPECT_EQ(session().status(), status);
    }
    EXPECT_EQ(m_sim.requests().count(17), 0);
}

// 100.0 written and read back as 100.05 lies within the tolerance of 0.1; 100.2 does not.
TEST_F(TuneTest, UpdateWritesVerifiesAndClearsThePage)
{
    struct Row {
        std::optional<double> readBack;  // what the block holds by the verifying read
        const char *status;
        bool cleared;
    };
    const Row rows[] = {{std::nullopt, "Block Tuned", true},
                        {100.05, "Block Tuned", true},
                        {100.2, "Error Verifying Block Specs", false}};
    const ciusim::PlantAddress block{1, 1, 2, kTwentySpecs};
    for (const Row &row : rows) {
        ASSERT_TRUE(readBlock(kTwentySpecs));
        session().setEntry(0, QStringLiteral("100"));
        const auto spoil = QObject::connect(&session(), &TuneSession::changed, [&] {
            if (row.readBack && session().status() == QStringLiteral("Verify Block Specs"))
                m_sim.unit().setBlockSpec(block, 1, *row.readBack);
        });
        session().update();
        ASSERT_TRUE(waitIdle());
        QObject::disconnect(spoil);
        EXPECT_EQ(session().status(), QString::fromLatin1(row.status));
        EXPECT_EQ(session().entry(0).isEmpty(), row.cleared);
        EXPECT_FALSE(session().updateEnabled() && row.cleared);
        EXPECT_EQ(CiuGetTuneErrorStatus(), 1);  // read again before another update
        if (!row.readBack) {
            EXPECT_EQ(m_sim.unit().block(block)->specValue(1), 100.0);
        }
    }
    EXPECT_EQ(m_sim.requests().count(17), 3);
}

TEST_F(TuneTest, AReadTheCiuNeverAnswersEndsAfterFiveSeconds)
{
    m_sim.faults().setNoReply(true);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(session().read(address(kPid)));
    EXPECT_EQ(session().status(), QStringLiteral("Reading Block"));
    ASSERT_TRUE(waitIdle(TuneSession::kWaitMs + 5000));
    EXPECT_GE(clock.elapsed(), TuneSession::kWaitMs);
    EXPECT_EQ(session().status(), QStringLiteral("Timeout Reading Block"));
    EXPECT_EQ(CiuIsTunePending(), 0);
    EXPECT_FALSE(session().updateEnabled());
}
