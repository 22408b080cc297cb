// Test fixture for the settings store: see registry_fixture.h.
#include "tests/platform/registry_fixture.h"

#include <QFile>

namespace {

const char *const kLocationVariables[] = {"TK70_REGISTRY", "XDG_CONFIG_HOME", "HOME"};

}  // namespace

RegistryTest::RegistryTest()
{
    for (const char *name : kLocationVariables)
        m_savedEnv[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    qputenv("TK70_REGISTRY", file().toLocal8Bit());
}

RegistryTest::~RegistryTest()
{
    for (const auto &[name, value] : m_savedEnv) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
}

QByteArray RegistryTest::readFile() const
{
    QFile f(file());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file().toStdString();
    return f.readAll();
}

void RegistryTest::writeFile(const QByteArray &bytes) const
{
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}
