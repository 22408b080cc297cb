// The file dialogs the program asks for file names with, over the main window: the
// screen's FileChooser.
#pragma once

#include "app/document/file_chooser.h"

#include <functional>

class QWidget;

namespace tk70 {

class FileDialogs : public FileChooser {
public:
    // parent gives the dialogs their place; it may change (and be null) while they live.
    explicit FileDialogs(std::function<QWidget *()> parent) : m_parent(std::move(parent)) {}

    QString tagSelectionToOpen() override;
    QString tagSelectionToSave(const QString &current) override;
    QString importToOpen(bool dos) override;
    QString historicalFileToOpen(bool dos) override;

private:
    QString open(const QString &filter) const;

    std::function<QWidget *()> m_parent;
};

}  // namespace tk70
