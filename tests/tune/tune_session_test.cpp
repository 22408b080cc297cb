// The tuning session against the simulated CIU: the catalogue's names, how an entry
// becomes a number, what a read shows, paging, entries offered to the driver, the
// refusals of Update, every entry written and read back or refused with nothing sent, the
// write with its verifying read, a read the CIU never answers and a write whose wait ran
// out.
#include "tests/support/modal_helper.h"
#include "tests/tune/tune_fixture.h"
#include "tune/function_codes.h"
#include "tune/tuning_page.h"

#include <QLocale>
#include <chrono>
#include <functional>
#include <optional>

using namespace tk70;
using namespace std::chrono_literals;

TEST(FunctionCodes, NamesAreShownWithTheirCode)
{
    const std::pair<int, const char *> rows[] = {{0, "Function Code Error"},
                                                 {13, "Interger Transfer"},
                                                 {145, "Fequency Counter/Slave"},
                                                 {217, "Enhance Calibration Command"},
                                                 {231, "Strategic Loop Controller Station"},
                                                 {255, "Reserved"}};
    for (const auto &[code, name] : rows)
        EXPECT_EQ(functionCodeName(code), QString::fromLatin1(name)) << code;
    EXPECT_EQ(functionCodeName(256), QString());
    EXPECT_EQ(functionCodeTitle(19), QStringLiteral("FC 19  -  PID (PV and SP)"));
}

// Only a whole number is a value: never 0 for a text that is none, never the number a
// text starts with.  Read in the C locale, whatever the user's.
TEST(SpecEntries, AreWhollyANumberInTheCLocaleOrRefused)
{
    const std::pair<const char *, double> numbers[] = {
        {"12.5", 12.5}, {" 12.5 ", 12.5}, {"-3e2", -300.0}, {"+.5", 0.5}, {"1E-3", 0.001}, {"7.", 7.0}, {"0", 0.0}};
    const char *const refused[] = {"",       "  ",  "-",   "l.5",  "12,5", "1.5.3", "abc",   "  12.5xyz",   "1e400",
                                   "-1e400", "nan", "inf", "0x10", "1e",   ".",     "1 000", "\u0661\u0662"};
    const QLocale before;
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        for (const auto &[text, value] : numbers)
            EXPECT_EQ(parseSpecEntry(QString::fromUtf8(text)), value) << text;
        for (const char *text : refused)
            EXPECT_EQ(parseSpecEntry(QString::fromUtf8(text)), std::nullopt) << text;
    }
    QLocale::setDefault(before);
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
                        {99, "Error Reading Block Specs", false, ""},  // no block there
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

// Turning the page offers the tunable entries; a text that is not wholly a number, or a
// value the block refuses, keeps the page and names the entry.
TEST_F(TuneTest, TurningThePageOffersTheEntriesOfTheTunableSpecs)
{
    struct Row {
        int block;
        int field;
        const char *text;
        std::optional<double> value;  // what the entry then holds, or refused
    };
    const Row rows[] = {{kTwentySpecs, 0, "abc", std::nullopt},
                        {kTwentySpecs, 1, "  12.5xyz", std::nullopt},
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
            EXPECT_EQ(CiuGetTuneSpecValue(row.field + 1),
                      m_sim.unit().block(blockAddress(row.block))->specValue(row.field + 1));
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
    const Row rows[] = {{false, false, "Block Information Not Current.", "TK70 Pro Tuning Error", MessageIcon::Stop},
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

// Each entry is either written and proved by its read-back ("Block Tuned", the block
// holding the value as its format keeps it), or refused with nothing sent and the block
// as it was.  PID S5 is a byte and S8 a 3-byte real; lead/lag S2 a 2-byte real.
TEST_F(TuneTest, EachEntryIsWrittenAndReadBackOrRefusedWithNothingSent)
{
    struct Row {
        int block, field;
        const char *text;
        std::optional<double> holds;  // what the block holds afterwards; nothing: refused
        const char *status;
    };
    constexpr int kLeadLag = 30, kRecipe = 40;
    const Row rows[] = {
        {kPid, 7, "2.5", 2.5, "Block Tuned"},
        {kPid, 7, " -1.5e2 ", -150.0, "Block Tuned"},
        {kPid, 7, "20000000", std::nullopt, "Invalid Value in Spec 8"},
        {kPid, 7, "1e400", std::nullopt, "Invalid Value in Spec 8"},
        {kPid, 7, "", std::nullopt, "Invalid Value in Spec 8"},
        {kPid, 7, "l.5", std::nullopt, "Invalid Value in Spec 8"},
        {kPid, 7, "-", std::nullopt, "Invalid Value in Spec 8"},
        {kPid, 7, "12,5", std::nullopt, "Invalid Value in Spec 8"},
        {kPid, 7, "1.5.3", std::nullopt, "Invalid Value in Spec 8"},
        {kPid, 4, "300", std::nullopt, "Invalid Value in Spec 5"},
        {kPid, 4, "7", 7.0, "Block Tuned"},
        {kLeadLag, 1, "64.1", 64.125, "Block Tuned"},
        {kLeadLag, 1, "2.01", 2.01171875, "Block Tuned"},
        {kLeadLag, 1, "0.005", std::nullopt, "Invalid Value in Spec 2"},
        {kLeadLag, 1, "3000000", std::nullopt, "Invalid Value in Spec 2"},
        {kRecipe, 2, "5", std::nullopt, "Block Too Large to Write: 146 Value Bytes, 118 Allowed"},
    };
    for (const Row &row : rows) {
        ASSERT_TRUE(readBlock(row.block)) << row.text;
        const int spec = row.field + 1;
        const double before = m_sim.unit().block(blockAddress(row.block))->specValue(spec);
        const int writes = m_sim.requests().count(17);
        session().setEntry(row.field, QString::fromLatin1(row.text));
        session().update();
        ASSERT_TRUE(waitIdle()) << row.text;
        EXPECT_EQ(session().status(), QString::fromLatin1(row.status)) << row.text;
        EXPECT_EQ(m_sim.requests().count(17), writes + (row.holds ? 1 : 0)) << row.text;
        EXPECT_EQ(m_sim.unit().block(blockAddress(row.block))->specValue(spec), row.holds.value_or(before)) << row.text;
    }
}

// With the CIU silent the read ends when the clock has run past five seconds.
TEST_F(TuneTest, AReadTheCiuNeverAnswersEndsAfterFiveSeconds)
{
    m_sim.faults().setNoReply(true);
    ASSERT_TRUE(session().read(address(kPid)));
    EXPECT_EQ(session().status(), QStringLiteral("Reading Block"));
    EXPECT_TRUE(session().waiting());
    runOutWait();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(session().status(), QStringLiteral("Timeout Reading Block"));
    EXPECT_EQ(CiuIsTunePending(), 0);
    EXPECT_FALSE(session().updateEnabled());
}

// A write whose wait ran out may still land: the block is read again once the driver is
// free, and the page shows what it holds.  A write that lands late, one the CIU refuses
// late, and one it never answers (the block's state is then unknown).
TEST_F(TuneTest, AWriteWhoseWaitRanOutIsReadAgainAndShownAsTheBlockHoldsIt)
{
    struct Row {
        const char *what;
        std::function<void(ciusim::Faults &)> fault;
        const char *status;
        double value;  // written to S8
        bool landed, shown;
    };
    const Row rows[] = {
        {"late", [](ciusim::Faults &f) { f.slow(500); }, "Timeout Writing to Block - Block Holds New Values", 2.5, true,
         true},
        {"refused late",
         [](ciusim::Faults &f) {
             f.slow(500);
             f.replyCode(17, 5, 1);
         },
         "Timeout Writing to Block - Block Values Read Again", 3.5, false, true},
        {"never answered", [](ciusim::Faults &f) { f.silence(17); }, "Timeout Writing to Block - Block State Unknown",
         4.5, false, false},
    };
    const QString again = QStringLiteral("Timeout Writing to Block - Reading Block Again");
    for (const Row &row : rows) {
        ASSERT_TRUE(readBlock(kPid)) << row.what;
        const double before = m_sim.unit().block(blockAddress(kPid))->specValue(8);
        const int writes = m_sim.requests().count(17);
        session().setEntry(7, QString::number(row.value));
        row.fault(m_sim.faults());
        session().update();
        ASSERT_TRUE(m_sim.requests().waitForRequests(17, writes + 1, 5s)) << row.what;
        runOutWait();
        if (row.shown)
            m_sim.faults().clear();
        else
            ASSERT_TRUE(tk70test::waitFor([&] { return session().status() == again; })) << row.what;
        if (!row.shown)
            runOutWait();
        ASSERT_TRUE(waitIdle()) << row.what;
        EXPECT_EQ(session().status(), QString::fromLatin1(row.status)) << row.what;
        const double holds = row.landed ? row.value : before;
        EXPECT_EQ(m_sim.unit().block(blockAddress(kPid))->specValue(8), holds) << row.what;
        EXPECT_EQ(session().entry(7), row.shown ? specText(holds) : QString()) << row.what;
        EXPECT_EQ(session().updateEnabled(), row.shown) << row.what;
        m_sim.faults().clear();
    }
}
