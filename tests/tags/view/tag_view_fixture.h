// A tag editor on its own window with a document, a message recorder and a beep
// counter, and the helpers that find its controls by their ids.
#pragma once

#include "message_recorder.h"
#include "tag_doc.h"
#include "tag_view.h"
#include "view_beep.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class TagViewTest : public ::testing::Test {
protected:
    void TearDown() override { tk70::ViewBeep::setHook({}); }

    // Opens the editor on a document holding count tags TAG1.. with block = number.
    void open(int count)
    {
        for (int slot = 0; slot < count; ++slot) {
            tk70::TagRecord tag;
            tag.tagname = QStringLiteral("TAG%1").arg(slot + 1);
            tag.block = slot + 1;
            m_doc.setTag(slot, tag);
        }
        m_doc.tags().setCount(count);
        tk70::ViewBeep::setHook([this] { ++m_beeps; });
        m_view = std::make_unique<tk70::CTagView>(&m_doc);
        m_view->resize(1100, 420);
        m_view->show();
        m_view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
    }

    template <typename T = QWidget>
    T *control(int id) const
    {
        return m_view->findChild<T *>(QString::number(id));
    }
    QLineEdit *edit(int id) const { return control<QLineEdit>(id); }
    QLineEdit *tagname(int row) const { return edit(5000 + row); }
    // Clicks into a field and replaces its text with typed keys.
    void typeInto(QLineEdit *field, const QString &text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    // The editor's focus child (also while a closing dialog hands the window back).
    QWidget *focus() const { return m_view->focusWidget(); }

    tk70::CTagDoc m_doc;
    tk70test::MessageRecorder m_messages;
    std::unique_ptr<tk70::CTagView> m_view;
    int m_beeps = 0;
};
