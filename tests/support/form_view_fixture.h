// A setup form (the tag editor, the trend setup) on its own window over a tag selection
// document, with a message recorder and a beep counter, and the helpers that find the
// form's controls by their ids and type into them.
#pragma once

#include "platform/view/view_beep.h"
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"

#include <QLineEdit>
#include <QSize>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tk70test {

template <typename View>
class FormViewFixture : public ::testing::Test {
protected:
    FormViewFixture()
    {
        tk70::ViewBeep::setHook([this] { ++m_beeps; });
    }
    ~FormViewFixture() override { tk70::ViewBeep::setHook({}); }

    // Opens the form on the document in an active window of the given size; arguments
    // go to the form's constructor after the document.
    template <typename... Args>
    void showForm(QSize size, Args... args)
    {
        m_view = std::make_unique<View>(&m_doc, args...);
        m_view->resize(size);
        m_view->show();
        m_view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
    }

    template <typename T = QWidget>
    T *control(int id) const
    {
        return m_view->template findChild<T *>(QString::number(id));
    }
    QLineEdit *edit(int id) const { return control<QLineEdit>(id); }
    // Clicks into a field and replaces its text with typed keys.
    void typeInto(QLineEdit *field, const QString &text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

    tk70::CTagDoc m_doc;
    MessageRecorder m_messages;
    std::unique_ptr<View> m_view;
    int m_beeps = 0;
};

}  // namespace tk70test
