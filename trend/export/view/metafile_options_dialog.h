// The "Metafile Options" dialog: which kind of metafile to write ("Metafile Type") and
// whether the graph is drawn in its printer colours on white ("Graph Background").  Both
// groups show their first choice each time the dialog opens, whatever was chosen before.
#pragma once

#include "trend/metafile/metafile_kind.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;

namespace tk70 {

class CMetafileOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CMetafileOptionsDialog(QWidget *parent = nullptr);

    // The choices as they stand (read them after exec() returned Accepted).
    MetafileKind kind() const;
    bool reverse() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *radioGroup(const QString &title, const QStringList &choices, QButtonGroup *&buttons);
    void resetChoices();

    QButtonGroup *m_type = nullptr;
    QButtonGroup *m_background = nullptr;
};

}  // namespace tk70
