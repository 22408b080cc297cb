// The life of the current tag selection document: see document_lifecycle.h.
#include "app/document/document_lifecycle.h"

#include "app/document/file_chooser.h"
#include "core/product.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "tags/tag_doc_host.h"
#include "tags/tsf_format.h"

#include <QFileInfo>

namespace tk70 {

DocumentLifecycle::DocumentLifecycle(CTagDocHost &host, SettingsStore &store, FileChooser &chooser, DocumentHooks hooks)
    : m_host(host), m_chooser(chooser), m_hooks(std::move(hooks)), m_recent(store)
{
}

DocumentLifecycle::~DocumentLifecycle() = default;

QString DocumentLifecycle::title() const
{
    if (!m_document || m_document->pathName().isEmpty())
        return QString::fromLatin1(kProductName);
    return QFileInfo(m_document->pathName()).fileName();
}

void DocumentLifecycle::forget()
{
    m_hooks.release();
    m_document.reset();
}

void DocumentLifecycle::newDocument()
{
    forget();
    m_document = std::make_unique<CTagDoc>(&m_host);
    m_document->newDocument();
    m_hooks.shown();
}

bool DocumentLifecycle::openDocument(const QString &path)
{
    auto document = std::make_unique<CTagDoc>(&m_host);
    if (!document->openDocument(path))
        return false;
    forget();
    m_document = std::move(document);
    m_recent.add(path);
    m_hooks.shown();
    return true;
}

void DocumentLifecycle::fileNew()
{
    if (confirmOverwrite())
        newDocument();
}

void DocumentLifecycle::fileOpen(const QString &file)
{
    if (!confirmOverwrite())
        return;
    const QString path = file.isEmpty() ? m_chooser.tagSelectionToOpen() : file;
    if (path.isEmpty())
        return;
    if (!openDocument(path))
        newDocument();
}

bool DocumentLifecycle::fileSave()
{
    if (!m_document)
        return false;
    if (m_document->pathName().isEmpty())
        return fileSaveAs();
    return saveAt(m_document->pathName());
}

// A name without an extension gets the tag selection's.
bool DocumentLifecycle::fileSaveAs()
{
    if (!m_document)
        return false;
    QString path = m_chooser.tagSelectionToSave(m_document->pathName());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(Tsf::kDefaultExtension);
    return saveAt(path);
}

bool DocumentLifecycle::saveAt(const QString &path)
{
    if (!m_document->saveDocument(path))
        return false;
    m_recent.add(path);
    return true;
}

bool DocumentLifecycle::close()
{
    if (!saveModified())
        return false;
    forget();
    return true;
}

void DocumentLifecycle::openRecent(int index)
{
    const QString path = m_recent.at(index);
    if (path.isEmpty() || !confirmOverwrite())
        return;
    if (!openDocument(path)) {
        m_recent.remove(path);
        newDocument();
    }
}

bool DocumentLifecycle::confirmOverwrite() const
{
    if (!m_document || m_document->tagCount() < 1)
        return true;
    return Messages::show(Message{QStringLiteral("Overwrite Existing Tag Selection & Trend Settings?"),
                                  QLatin1String(kTitleProgram), MessageIcon::Question, MessageButtons::OkCancel,
                                  MessageAnswer::Cancel}) == MessageAnswer::Ok;
}

bool DocumentLifecycle::saveModified()
{
    if (!m_document || m_hooks.inUse())
        return true;
    if (!m_host.tagEditorPageValid())
        return false;
    m_host.copyOpenPagesIntoDocument();
    if (!m_document->isModified())
        return true;
    const MessageAnswer answer =
        Messages::show(Message{QStringLiteral("Save changes to %1?").arg(title()), QLatin1String(kTitleProgram),
                               MessageIcon::Warning, MessageButtons::YesNoCancel, MessageAnswer::Yes});
    if (answer == MessageAnswer::Yes)
        return fileSave();
    return answer == MessageAnswer::No;
}

}  // namespace tk70
