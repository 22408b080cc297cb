// The recent file list of the File menu: the last files opened or saved, newest first, at
// most kRecentFileCount, kept in the settings store with every change.  A store that
// refuses the list is reported once a session.
#pragma once

#include <QString>
#include <QStringList>

namespace tk70 {

class SettingsStore;

class RecentFiles {
public:
    explicit RecentFiles(SettingsStore &store) : m_store(store) {}

    // Reads the list from the store.
    void load();
    const QStringList &files() const { return m_files; }
    // The file at index (0: the newest); empty when there is none.
    QString at(int index) const { return m_files.value(index); }
    // Puts path (made absolute) first, once, and stores the list.
    void add(const QString &path);
    // Takes path out of the list and stores it.
    void remove(const QString &path);

private:
    void save();

    SettingsStore &m_store;
    QStringList m_files;
    bool m_refused = false;  // a refused save was reported
};

}  // namespace tk70
