// Helpers of the paging format tests: the paging formats window in its frame, dialogs driven through
// their hook by the labels and buttons the user reads, and records written straight into the image.
#pragma once

#include "database/Layout.h"
#include "editors/common/EditorDialog.h"
#include "editors/paging/ManualPageListFV.h"
#include "tests/editors/EditorFixture.h"

#include <QTreeWidget>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace trv::test {

// Image offset of a paging format record's byte.
inline int pagingByte(int record, int offset)
{
    return 0x0800 + 24 * record + offset;
}

// Writes a format record: its label (8 bytes, zero padded) and type; the parameters stay.
inline void putFormat(int record, const char* label, int type)
{
    db::Image& image = db::theImage();
    for (int b = 0; b < 8; ++b)
        image[pagingByte(record, b)] = b < static_cast<int>(std::strlen(label)) ? label[b] : 0;
    image[pagingByte(record, 8)] = static_cast<std::uint8_t>(type);
}

// The control labelled `label` inside `root` (a check box by its own text).
template <class Control = QWidget> Control* labelledIn(QWidget* root, const char* label)
{
    for (QLabel* caption : root->findChildren<QLabel*>())
        if (caption->text() == QString::fromLatin1(label) && caption->buddy())
            return qobject_cast<Control*>(caption->buddy());
    for (QCheckBox* box : root->findChildren<QCheckBox*>())
        if (box->text() == QString::fromLatin1(label))
            return qobject_cast<Control*>(box);
    ADD_FAILURE() << "no control labelled " << label;
    return nullptr;
}

inline void pressIn(QWidget* root, const char* text)
{
    for (QPushButton* b : root->findChildren<QPushButton*>())
        if (b->text() == QString::fromLatin1(text)) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << text;
}

class PagingFixture : public EditorFixture {
protected:
    void TearDown() override
    {
        editors::EditorDialog::setHook({});
        EditorFixture::TearDown();
    }

    // Each dialog the window runs is handed to the next step, in order; a dialog with no step left
    // fails the test.
    void driveDialogs(std::vector<std::function<void(editors::EditorDialog&)>> steps)
    {
        steps_ = std::move(steps);
        dialogsRun = 0;
        editors::EditorDialog::setHook([this](editors::EditorDialog& dialog) {
            ++dialogsRun;
            if (steps_.empty()) {
                ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
                return;
            }
            auto step = std::move(steps_.front());
            steps_.erase(steps_.begin());
            step(dialog);
        });
    }
    // The protocol choice: picks the entry and presses OK.
    static std::function<void(editors::EditorDialog&)> choose(const char* entry)
    {
        return [entry](editors::EditorDialog& d) {
            auto* list = d.findChild<QComboBox*>();
            const int index = list->findText(QString::fromLatin1(entry));
            ASSERT_GE(index, 0) << entry;
            list->setCurrentIndex(index);
            pressIn(&d, "OK");
        };
    }

    editors::paging::ManualPageListFV* openList() { return openView<editors::paging::ManualPageListFV>(); }
    QTreeWidget* list() const { return frame->findChild<QTreeWidget*>(); }
    QStringList rowTexts(int column = 0) const
    {
        QStringList texts;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            texts << list()->topLevelItem(r)->text(column);
        return texts;
    }
    void selectRow(int row) const { list()->setCurrentItem(list()->topLevelItem(row)); }
    int currentRow() const { return list()->indexOfTopLevelItem(list()->currentItem()); }

    int dialogsRun = 0;

private:
    std::vector<std::function<void(editors::EditorDialog&)>> steps_;
};

} // namespace trv::test
