// The export's dialogs offscreen: "Metafile Options" opens on its first choices every
// time, the save dialog after it preselects the kind chosen and hands back the request,
// and the "Trend List" lists the open graphs, enables OK on a selection, takes a double
// click, and without a document only shows its message.
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"
#include "tests/support/screenshot.h"
#include "trend/export/view/export_dialog.h"
#include "trend/export/view/metafile_options_dialog.h"
#include "trend/export/view/trend_list_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace tk70 {
namespace {

using tk70test::whenModal;

QRadioButton *radio(QDialog *dialog, const char *text)
{
    for (QRadioButton *button : dialog->findChildren<QRadioButton *>()) {
        if (button->text() == QLatin1String(text))
            return button;
    }
    return nullptr;
}

QStringList checkedChoices(QDialog *dialog)
{
    QStringList checked;
    for (QRadioButton *button : dialog->findChildren<QRadioButton *>()) {
        if (button->isChecked())
            checked << button->text();
    }
    return checked;
}

TEST(MetafileOptionsTest, OpensOnTheFirstChoicesEveryTime)
{
    const QStringList first{QStringLiteral("Enhanced Metafile (WIN32)"), QStringLiteral("Normal (as shown)")};
    CMetafileOptionsDialog dialog;
    whenModal<CMetafileOptionsDialog>([&](CMetafileOptionsDialog *shown) {
        EXPECT_EQ(checkedChoices(shown), first);
        for (QGroupBox *group : shown->findChildren<QGroupBox *>())
            EXPECT_TRUE(group->font().bold()) << group->title().toStdString();
        EXPECT_FALSE(radio(shown, "Placeable Metafile")->font().bold());
        tk70test::click(radio(shown, "Placeable Metafile"));
        tk70test::click(radio(shown, "Reverse (Printer Output)"));
        tk70test::press(shown->findChild<QPushButton *>("1"));
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.kind(), MetafileKind::Placeable);
    EXPECT_TRUE(dialog.reverse());

    whenModal<CMetafileOptionsDialog>([&](CMetafileOptionsDialog *shown) {
        EXPECT_EQ(checkedChoices(shown), first);
        shown->reject();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(dialog.kind(), MetafileKind::Enhanced);
    EXPECT_FALSE(dialog.reverse());
    tk70test::shoot(dialog, "metafile-options");
}

TEST(AskExportTest, TheOptionsChosenPreselectTheFileTypeAndComeBackWithTheFile)
{
    QTemporaryDir folder;
    QString shownFilter;
    whenModal<CMetafileOptionsDialog>([&](CMetafileOptionsDialog *options) {
        tk70test::click(radio(options, "Standard Windows Metafile"));
        tk70test::click(radio(options, "Reverse (Printer Output)"));
        whenModal<QFileDialog>([&](QFileDialog *files) {
            EXPECT_EQ(files->windowTitle(), QStringLiteral("Save As Metafile"));
            EXPECT_EQ(files->nameFilters(), exportFileFilters());
            shownFilter = files->selectedNameFilter();
            files->selectFile(folder.filePath(QStringLiteral("graph")));
            tk70test::press(files->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save));
        });
        tk70test::press(options->findChild<QPushButton *>("1"));
    });
    const std::optional<ExportRequest> request = askExport(nullptr);
    // The second of the two "*.wmf" filters: told from the first by its text.
    EXPECT_EQ(shownFilter, QStringLiteral("Standard Windows Metafile (*.wmf)"));
    ASSERT_TRUE(request.has_value());
    const ExportRequest expected{ExportFormat::StandardWmf, folder.filePath(QStringLiteral("graph.wmf")), true};
    EXPECT_EQ(*request, expected);
}

QStringList rowTexts(QTreeWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0) + QLatin1Char('|') + list->topLevelItem(i)->text(1);
    return rows;
}

void clickRow(QTreeWidget *list, int row, bool twice)
{
    const QPoint centre = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    if (twice) {
        // The second press of a double click arrives as the double-click event.
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }
}

TEST(TrendListTest, ListsTheOpenGraphsAndTakesTheRowChosen)
{
    CTagDoc document;
    document.newDocument();
    document.graph(2).title = QStringLiteral("Boiler Drum Level");
    struct Case {
        bool doubleClick;
        int row;
        int graphIndex;
    };
    for (const Case c : {Case{false, 1, 2}, Case{true, 2, 9}}) {
        SCOPED_TRACE(c.doubleClick ? "double click" : "select and OK");
        whenModal<CTrendListDialog>([&](CTrendListDialog *dialog) {
            auto *list = dialog->findChild<QTreeWidget *>();
            EXPECT_EQ(rowTexts(list),
                      (QStringList{QStringLiteral(" 1|TK70 Pro Trend Graph #1"), QStringLiteral(" 3|Boiler Drum Level"),
                                   QStringLiteral("10|TK70 Pro Trend Graph #10")}));
            EXPECT_EQ(list->topLevelItem(0)->textAlignment(0) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            EXPECT_GE(list->columnWidth(0), 50);
            EXPECT_GE(list->columnWidth(0), list->header()->sectionSizeHint(0));  // the heading shows whole
            EXPECT_EQ(list->columnWidth(1), 200);
            auto *ok = dialog->findChild<QPushButton *>("1");
            EXPECT_FALSE(ok->isEnabled());
            clickRow(list, c.row, c.doubleClick);
            if (!c.doubleClick) {
                EXPECT_TRUE(ok->isEnabled());
                tk70test::press(ok);
            } else if (dialog->isVisible()) {
                ADD_FAILURE() << "the double click left the dialog open";
                dialog->reject();
            }
        });
        EXPECT_EQ(CTrendListDialog::choose(&document, {9, 0, 2}, nullptr), c.graphIndex);
    }
    CTrendListDialog shown(&document, {0, 2, 9});
    tk70test::shoot(shown, "trend-list");
}

TEST(TrendListTest, WithoutADocumentOnlyTheMessageShows)
{
    tk70test::MessageRecorder messages;
    CTrendListDialog dialog(nullptr, {0, 1});
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("No Tag Selection Loaded.")});
    EXPECT_EQ(CTrendListDialog::choose(nullptr, {0}, nullptr), std::nullopt);
}

}  // namespace
}  // namespace tk70
