// The buttons editor: a picture of the deskset with its 18 programmable buttons, each labelled with
// its function. A click opens the Button Configuration dialog for that button. Changes go to a
// working table; OK writes it into the image, Cancel drops it.
#pragma once

#include "editors/buttons/WorkingButtonTable.h"
#include "editors/common/ButtonTable.h"
#include "editors/common/EditorView.h"

class QPushButton;

namespace trv::editors {

class DesksetPicture;

class DesksetButtonsCfgFV final : public EditorView, public ButtonTableEditor {
    Q_OBJECT
public:
    explicit DesksetButtonsCfgFV(EditorHost& host, QWidget* parent = nullptr);

    EditorKind kind() const override { return EditorKind::Buttons; }
    void initialFill() override;
    // Enter is OK unless a push button has the focus; Escape is Cancel.
    QAbstractButton* defaultButton() const override;
    QAbstractButton* cancelButton() const override;
    void imageChanged(const ImageChange& change) override;

    ButtonEntries workingButtonTable() const override { return table_.entries(); }

    DesksetPicture* picture() const { return picture_; }

private:
    void configureButton(int button);
    void clearAll();
    void undoLastChange();
    void commit();
    // Drops references to records that are gone, then shows each button's short label.
    void refreshLabels();

    WorkingButtonTable table_;
    DesksetPicture* picture_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* clearAll_ = nullptr;
    QPushButton* undo_ = nullptr;
};

} // namespace trv::editors
