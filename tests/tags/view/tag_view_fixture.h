// A tag editor on its own window with a document, a message recorder and a beep
// counter, and the helpers that find its controls by their ids.
#pragma once

#include "tags/view/tag_view.h"
#include "tests/support/form_view_fixture.h"

#include <QApplication>

class TagViewTest : public tk70test::FormViewFixture<tk70::CTagView> {
protected:
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
        showForm(QSize(1100, 420));
    }

    QLineEdit *tagname(int row) const { return edit(5000 + row); }
    // The editor's focus child (also while a closing dialog hands the window back).
    QWidget *focus() const { return m_view->focusWidget(); }
};
