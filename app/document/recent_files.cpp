// The recent file list of the File menu: see recent_files.h.
#include "app/document/recent_files.h"

#include "app/settings/app_settings.h"
#include "platform/registry/settings_store.h"
#include "platform/registry/settings_warning.h"

#include <QFileInfo>

namespace tk70 {

void RecentFiles::load() { m_files = loadRecentFileList(m_store); }

void RecentFiles::add(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kRecentFileCount)
        m_files.removeLast();
    save();
}

void RecentFiles::remove(const QString &path)
{
    m_files.removeAll(path);
    save();
}

// The list changes with every file opened: a store that refuses it is reported once a
// session, and not at all when start-up already said that nothing will be written.
void RecentFiles::save()
{
    if (!m_store.isReadable() || saveRecentFileList(m_store, m_files) || m_refused)
        return;
    m_refused = true;
    warnSettingsNotSaved(m_store);
}

}  // namespace tk70
