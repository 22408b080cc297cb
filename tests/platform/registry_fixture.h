// Test fixture for the settings store: a temporary folder with TK70_REGISTRY pointed at a
// file in it, and the location variables put back afterwards.
#pragma once

#include "platform/registry/settings_store.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <optional>

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest();
    ~RegistryTest() override;

    QString dir() const { return m_dir.path(); }
    QString file() const { return m_dir.path() + QStringLiteral("/registry"); }
    QByteArray readFile() const;
    void writeFile(const QByteArray &bytes) const;

    static inline const char *const kKey = tk70::kDriverKey;

private:
    QTemporaryDir m_dir;
    std::map<QByteArray, std::optional<QByteArray>> m_savedEnv;
};
