// "About TK70 Pro": see about_box.h.
#include "app/view/dialogs/about_box.h"

#include "app/settings/system_figures.h"
#include "app/view/dialogs/program_artwork.h"
#include "core/product.h"
#include "platform/view/dialog_fonts.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tk70 {

namespace {

QLabel *namedLabel(const QString &text, const char *name)
{
    auto *label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QString currentMemoryText()
{
    auto kb = totalPhysicalMemoryKb();
    return kb ? memoryText(*kb) : QStringLiteral("Unavailable");
}

}  // namespace

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About TK70 Pro"));
    m_memory = namedLabel(currentMemoryText(), "memory");
    m_diskSpace = namedLabel(diskSpaceText(freeDiskSpace(QDir::currentPath())), "diskSpace");
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(14);
    layOutTexts(grid);
    grid->addLayout(makeButtons(), 0, 3, 5, 1);
    grid->setColumnMinimumWidth(2, 150);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::layOutTexts(QGridLayout *grid)
{
    auto *emblem = new QLabel;
    emblem->setPixmap(programEmblem(48));
    QLabel *name = namedLabel(QString::fromLatin1(kProductName), "programName");
    QLabel *version = namedLabel(programVersionText(), "version");
    setBold(name);
    setBold(version);
    grid->addWidget(emblem, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(name, 0, 1, 1, 2);
    grid->addWidget(version, 1, 1, 1, 2);
    grid->setRowMinimumHeight(2, 10);
    grid->addWidget(namedLabel(QStringLiteral("Total Physical Memory :"), "memoryLabel"), 3, 1);
    grid->addWidget(m_memory, 3, 2);
    grid->addWidget(namedLabel(QStringLiteral("Free Disk Space :"), "diskSpaceLabel"), 4, 1);
    grid->addWidget(m_diskSpace, 4, 2);
}

QVBoxLayout *AboutBox::makeButtons()
{
    auto *ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *status = new QPushButton(QStringLiteral("Comm. &Status"));
    status->setObjectName(QStringLiteral("commStatus"));
    status->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &AboutBox::accept);
    connect(status, &QPushButton::clicked, this, &AboutBox::commStatusRequested);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(status);
    buttons->addStretch(1);
    return buttons;
}

void AboutBox::setFigures(const QString &memory, const QString &diskSpace)
{
    m_memory->setText(memory);
    m_diskSpace->setText(diskSpace);
}

}  // namespace tk70
