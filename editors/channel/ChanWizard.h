// The channel window's wizard: the Channel Configuration page, then the pages its keying and
// signalling choose, walked with Back and Next and ended with Finish (every page committed into
// the channel's record, last to first) or Cancel (nothing written).
#pragma once

#include "editors/channel/PageSequence.h"
#include "editors/common/Bindings.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QPushButton;
class QStackedWidget;

namespace trv::db {
class CTRVDoc;
}

namespace trv::editors {
class WizardPage;
}

namespace trv::editors::channel {

class ChanConfigPage;

class ChanWizard final : public QWidget {
    Q_OBJECT
public:
    // `channel` is the channel index; outside 0..3 the wizard neither reads nor writes the image.
    ChanWizard(db::CTRVDoc& document, int channel, QWidget* parent = nullptr);

    // Loads the Channel Configuration page, builds the sequence and shows the first page.
    void start();

    WizardPage* currentPage() const;
    // The pages of the current sequence, the Channel Configuration page first.
    std::vector<WizardPage*> sequence() const;
    ChanConfigPage* configPage() const { return config_; }

    QPushButton* backButton() const { return back_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* finishButton() const { return finish_; }
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void captionChanged(const QString& caption);
    void committed(); // Finish wrote the pages into the record
    void finished();  // committed, or cancelled: the window closes

private:
    struct Slot {
        WizardPage* page;
        bool marksModified; // its commit sets the database's modified flag
        bool loaded = false;
    };

    bool validChannel() const;
    void rebuild();
    void showStep(int step);
    bool mayLeave();
    void goBack();
    void goNext();
    void finish();
    void refuse(const Refusal& refusal);
    void focusOnError();

    db::CTRVDoc& document_;
    int channel_;
    ChanConfigPage* config_;
    std::vector<Slot> slots_;   // every page, one of each kind; [0] is the Channel Configuration page
    std::vector<int> sequence_; // indices into slots_
    int step_ = 0;              // position in sequence_
    QPointer<QWidget> focusOnError_;
    QStackedWidget* stack_;
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* finish_;
    QPushButton* cancel_;
};

} // namespace trv::editors::channel
