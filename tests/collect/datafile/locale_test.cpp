// The files do not depend on the process locale: with LC_ALL set to German (',' as the
// decimal separator, day.month.year dates) every type writes the same bytes as in C.
#include "tests/collect/datafile/datafile_fixture.h"

#include <QProcess>
#include <clocale>
#include <cstdio>
#include <cstdlib>

using namespace tk70;
using namespace tk70test;

namespace {

// Puts the process on a German locale for the life of the object, compiling one into a
// private directory (LOCPATH) when the system has none installed.
class GermanLocale {
public:
    explicit GermanLocale(const QString &workDir)
    {
        m_active = trySet();
        if (!m_active && compileInto(workDir)) {
            qputenv("LOCPATH", QFile::encodeName(workDir));
            m_active = trySet();
        }
    }
    ~GermanLocale()
    {
        std::setlocale(LC_ALL, "C");
        qunsetenv("LOCPATH");
    }
    GermanLocale(const GermanLocale &) = delete;
    GermanLocale &operator=(const GermanLocale &) = delete;

    bool active() const { return m_active; }

private:
    static bool trySet()
    {
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name))
                return true;
        }
        return false;
    }
    static bool compileInto(const QString &workDir)
    {
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
                        {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                         workDir + QStringLiteral("/de_DE.UTF-8")});
        return localedef.waitForFinished(30000) && QFile::exists(workDir + QStringLiteral("/de_DE.UTF-8"));
    }

    bool m_active = false;
};

}  // namespace

TEST_F(DataFileTest, AGermanLocaleChangesNoByte)
{
    const QByteArray ascii = writeTwoSamples(QStringLiteral("ASCII"), QStringLiteral("FIC101"));
    const QByteArray csv = writeTwoSamples(QStringLiteral("CSV"), QStringLiteral("FIC101"));
    const QByteArray dos = writeTwoSamples(QStringLiteral("TK70 (DOS)"));

    QTemporaryDir localeDir;
    const GermanLocale german(localeDir.path());
    if (!german.active())
        GTEST_SKIP() << "no German locale installed and none could be compiled";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 3.5);
    ASSERT_STREQ(probe, "3,5") << "the German locale is in effect";

    EXPECT_EQ(writeTwoSamples(QStringLiteral("ASCII"), QStringLiteral("FIC101")), ascii);
    EXPECT_EQ(writeTwoSamples(QStringLiteral("CSV"), QStringLiteral("FIC101")), csv);
    EXPECT_EQ(writeTwoSamples(QStringLiteral("TK70 (DOS)")), dos);
    EXPECT_TRUE(ascii.contains("12/06/96  14:27:15       1234.500"));
}
