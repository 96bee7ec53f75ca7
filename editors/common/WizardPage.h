// Base of a wizard page (the channel window's pages): a form over one record that loads from the
// image, validates when the user leaves it (the refusal names the control to focus), and commits
// into the image only when the whole wizard finishes. A page whose controls are all plain bindings
// needs no more than its constructor; pages with rules of their own override the steps.
#pragma once

#include "editors/common/Bindings.h"

#include <QWidget>

namespace trv::editors {

class WizardPage : public QWidget {
    Q_OBJECT
public:
    explicit WizardPage(QWidget* parent = nullptr) : QWidget(parent) {}

    virtual int helpContext() const = 0;
    // The page's caption, shown in the window title after the channel.
    virtual QString caption() const = 0;

    virtual void load(const db::Image& image, int record) { bindings_.load(image, record); }
    virtual std::optional<Refusal> validate() const { return bindings_.check(); }
    virtual void commit(db::Image& image, int record) const { bindings_.store(image, record); }

protected:
    FieldBindings& bindings() { return bindings_; }
    const FieldBindings& bindings() const { return bindings_; }

private:
    FieldBindings bindings_;
};

} // namespace trv::editors
