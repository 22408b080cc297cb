// The program settings in the settings store: the first start, loading with type and
// size rules, and saving back with the stored forms.
#include "registry/settings_store.h"
#include "app_settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tk70;

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("registry"));
    }
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
};

TEST_F(AppSettingsTest, AFirstStartCreatesTheSevenStartUpValues)
{
    EXPECT_TRUE(createDefaultAppSettings(*m_store));
    EXPECT_EQ(m_store->dword(kProgramKey, "InhibitDaoDllCheck"), 0u);
    EXPECT_EQ(m_store->dword(kProgramKey, "AutoStartDelayTime"), 5u);
    EXPECT_EQ(m_store->multiString(kProgramKey, "AutoStartTsfFilename"), QByteArray("\0", 1));
    EXPECT_FALSE(m_store->value(kProgramKey, "DdeRefresh").has_value());
    EXPECT_FALSE(createDefaultAppSettings(*m_store));  // not a first start any more
    EXPECT_EQ(loadAppSettings(*m_store), AppSettings{});
}

TEST_F(AppSettingsTest, ExistingValuesAreNotReplacedByDefaults)
{
    ASSERT_TRUE(m_store->setDword(kProgramKey, "AutoStartDelayTime", 7));
    ASSERT_TRUE(m_store->setString(kProgramKey, "AutoStartTsfFilename", "plant.tsf"));  // of another type
    EXPECT_TRUE(createDefaultAppSettings(*m_store));
    EXPECT_EQ(m_store->dword(kProgramKey, "AutoStartDelayTime"), 7u);
    AppSettings s = loadAppSettings(*m_store);
    EXPECT_EQ(s.autoStartDelayTime, 7);
    EXPECT_EQ(s.autoStartTsfFilename, QString());  // a REG_SZ text is ignored
}

TEST_F(AppSettingsTest, FlagsAreNormalisedAndNumbersTakenAsStored)
{
    ASSERT_TRUE(m_store->setDword(kProgramKey, "AutoStartEnabled", 9));
    ASSERT_TRUE(m_store->setDword(kProgramKey, "DdeRefresh", 1000));
    ASSERT_TRUE(m_store->setMultiString(kProgramKey, "DdeApplicationName", QByteArray("Plant\0", 6)));
    ASSERT_TRUE(m_store->setMultiString(kProgramKey, "DdeValueTopic", QByteArray(250, 'x')));  // too long
    ASSERT_TRUE(m_store->setMultiString(kProgramKey, "AccessPointErrorValue", QByteArray("-12.5\0", 6)));
    AppSettings s = loadAppSettings(*m_store);
    EXPECT_TRUE(s.autoStartEnabled);
    EXPECT_EQ(s.ddeRefresh, 1000);
    EXPECT_EQ(s.ddeApplicationName, "Plant");
    EXPECT_EQ(s.ddeValueTopic, "Value");
    EXPECT_EQ(s.accessPointErrorValue, -12.5);
}

TEST_F(AppSettingsTest, SavingWritesEveryValueButTheEngineCheck)
{
    AppSettings s;
    s.autoStartEnabled = true;
    s.autoStartTsfFilename = QStringLiteral("/plant/Unit 4 – Kessel.tsf");
    ASSERT_TRUE(saveAppSettings(*m_store, s));
    EXPECT_FALSE(m_store->value(kProgramKey, "InhibitDaoDllCheck").has_value());
    EXPECT_EQ(m_store->multiString(kProgramKey, "DdeSystemTopic"), QByteArray("System\0", 7));
    // "%g" keeps six significant digits: the default comes back rounded.
    EXPECT_EQ(m_store->multiString(kProgramKey, "AccessPointErrorValue"), QByteArray("-1e+07\0", 7));
    AppSettings back = loadAppSettings(*m_store);
    EXPECT_EQ(back.accessPointErrorValue, -10000000.0);
    EXPECT_EQ(back.autoStartTsfFilename, s.autoStartTsfFilename);
    EXPECT_TRUE(back.autoStartEnabled);
}
