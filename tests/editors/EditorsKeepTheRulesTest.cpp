// A database that only the editors changed has no error of the rules. Seeded random users open
// random windows and, as a user can, put random values into every control they see, press random
// buttons, fill in and confirm the dialogs that open and answer each message box at random; after
// every step the rules must find no error in the image. A failure names the seed and the steps.
#include "database/Rules.h"
#include "editors/EditorCatalog.h"
#include "editors/common/EditorDialog.h"
#include "tests/editors/EditorFixture.h"

#include <QAbstractSpinBox>
#include <QRadioButton>
#include <QToolButton>

#include <random>
#include <sstream>

namespace trv::editors {
namespace {

constexpr EditorKind kEveryKind[] = {
    EditorKind::DesksetCfg,  EditorKind::Channel,           EditorKind::Buttons,   EditorKind::PagingFormats,
    EditorKind::SpeedPaging, EditorKind::CustomPagingTones, EditorKind::PttAliases};

// What a user may type: digits, letters of both cases, the DTMF signs and some punctuation.
constexpr std::string_view kKeys = "0123456789ABCDEFGZabcz*#- .,/";

const QStringList kEndingButtons{QStringLiteral("OK"), QStringLiteral("Cancel"), QStringLiteral("Close"),
                                 QStringLiteral("Finish")};

class RandomUser {
public:
    explicit RandomUser(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }

    // Each control shown and enabled under root gets, now and then, a value a user could give it.
    void fillIn(QWidget* root)
    {
        for (QWidget* w : root->findChildren<QWidget*>()) {
            if (!w->isVisible() || !w->isEnabled() || w->window() != root->window() || !chance(35))
                continue;
            if (auto* box = qobject_cast<QComboBox*>(w)) {
                if (box->count() == 0)
                    continue;
                box->setFocus();
                for (int steps = 1 + below(4); steps > 0; --steps)
                    QTest::keyClick(box, chance(50) ? Qt::Key_Down : Qt::Key_Up);
                log("list " + w->accessibleName() + " = " + box->currentText());
            } else if (auto* edit = qobject_cast<QLineEdit*>(w);
                       edit && !edit->isReadOnly() && !qobject_cast<QComboBox*>(w->parentWidget())) {
                QString typed;
                for (int n = below(10); n > 0; --n)
                    typed +=
                        QLatin1Char(kKeys[static_cast<std::size_t>(below(static_cast<int>(kKeys.size())))]);
                test::EditorFixture::typeInto(edit, typed);
                log("typed \"" + typed + "\" into " + w->accessibleName() + ": \"" + edit->text() + "\"");
            } else if (auto* list = qobject_cast<QAbstractItemView*>(w);
                       list && list->model()->rowCount() > 0) {
                const QModelIndex row = list->model()->index(below(list->model()->rowCount()), 0);
                list->scrollTo(row);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
                log("selected row " + QString::number(row.row() + 1));
            } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
                spin->setFocus();
                QTest::keyClick(spin, chance(50) ? Qt::Key_PageUp : Qt::Key_Down);
                log("stepped " + w->accessibleName());
            } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
                test::EditorFixture::click(check);
                log("clicked " + check->text());
            } else if (auto* radio = qobject_cast<QRadioButton*>(w); radio && chance(40)) {
                test::EditorFixture::click(radio);
                log("chose " + radio->text());
            }
        }
    }

    // A button shown and enabled under root that is not a check box or an option: Next, Add,
    // Delete, a button of the deskset picture, an arrow of a number edit, and less often one that
    // ends the window (OK, Finish, Cancel, Close), so that most windows see some work first.
    QAbstractButton* anyButton(QWidget* root)
    {
        std::vector<QAbstractButton*> working, ending;
        for (QAbstractButton* b : root->findChildren<QAbstractButton*>())
            if (b->isVisible() && b->isEnabled() && b->window() == root->window() &&
                !qobject_cast<QCheckBox*>(b) && !qobject_cast<QRadioButton*>(b))
                (kEndingButtons.contains(QString(b->text()).remove(QLatin1Char('&'))) ? ending : working)
                    .push_back(b);
        std::vector<QAbstractButton*>& from =
            working.empty() || (!ending.empty() && chance(20)) ? ending : working;
        return from.empty() ? nullptr : from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }

    void press(QAbstractButton* b)
    {
        log("pressed " +
            (b->text().isEmpty() ? QString::fromLatin1(b->metaObject()->className()) : b->text()));
        test::EditorFixture::click(b);
    }

    platform::MsgAnswer answer(const platform::MessageRequest& box)
    {
        using platform::MsgAnswer;
        using platform::MsgButtons;
        const auto pick = [&](std::initializer_list<MsgAnswer> answers) {
            return answers.begin()[below(static_cast<int>(answers.size()))];
        };
        MsgAnswer given = MsgAnswer::Ok;
        switch (box.buttons) {
        case MsgButtons::Ok:
            given = MsgAnswer::Ok;
            break;
        case MsgButtons::OkCancel:
            given = pick({MsgAnswer::Ok, MsgAnswer::Cancel});
            break;
        case MsgButtons::YesNo:
            given = pick({MsgAnswer::Yes, MsgAnswer::No});
            break;
        case MsgButtons::YesNoCancel:
            given = pick({MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel});
            break;
        case MsgButtons::RetryCancel:
            given = MsgAnswer::Cancel;
            break;
        }
        log("box \"" + box.text.section(QLatin1Char('\n'), 0, 0) + "\" answered " +
            QString::number(static_cast<int>(given)));
        return given;
    }

    // A dialog is filled in and confirmed a few times; one still open is cancelled by run().
    void drive(EditorDialog& dialog)
    {
        log("dialog " + dialog.windowTitle());
        for (int tries = 0; tries < 3 && dialog.isVisible(); ++tries) {
            fillIn(&dialog);
            if (QAbstractButton* b = chance(85) ? okButton(dialog) : anyButton(&dialog))
                press(b);
        }
    }

    void log(const QString& step) { steps_ << step.toStdString() << '\n'; }
    std::string steps() const { return steps_.str(); }

private:
    static QAbstractButton* okButton(QDialog& dialog)
    {
        for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
            if (b->text() == QStringLiteral("OK") && b->isVisible())
                return b;
        return nullptr;
    }

    std::mt19937 random_;
    std::ostringstream steps_;
};

class EditorsKeepTheRulesTest : public test::EditorFixture {
protected:
    static std::string errorsOf(const db::Image& image)
    {
        std::string errors;
        for (const db::Problem& p : db::checkImage(image))
            if (p.isError())
                errors += db::formatProblem(p) + '\n';
        return errors;
    }
};

TEST_F(EditorsKeepTheRulesTest, RandomEditingLeavesNoError)
{
    ASSERT_EQ(errorsOf(db::theImage()), "") << "a new database";
    for (unsigned seed = 1; seed <= 40; ++seed) {
        db::closeDatabase();
        db::newDatabase();
        RandomUser user(seed);
        testsupport::MessageScript randomAnswers;
        randomAnswers.answerOthers([&](const platform::MessageRequest& box) { return user.answer(box); });
        const auto previousDialogs = EditorDialog::setHook([&](EditorDialog& dialog) { user.drive(dialog); });
        std::string errors;
        for (int window = 0; window < 12 && errors.empty(); ++window) {
            const EditorKind kind = kEveryKind[user.below(std::size(kEveryKind))];
            host.doc.setNextChannelIndex(user.below(4));
            openKind(kind);
            user.log("window " + static_cast<EditorView*>(frame->widget())->treeLabel());
            for (int action = 0; action < 25 && errors.empty() && !frameClosed(); ++action) {
                user.fillIn(frame->widget());
                if (QAbstractButton* b = user.anyButton(frame->widget()))
                    user.press(b);
                errors = errorsOf(db::theImage());
            }
            if (!frameClosed()) {
                user.log("closing the window");
                frame->close();
            }
            frameClosed();
            if (errors.empty())
                errors = errorsOf(db::theImage());
        }
        EditorDialog::setHook(previousDialogs);
        ASSERT_EQ(errors, "") << "seed " << seed << ", after:\n" << user.steps();
    }
}

} // namespace
} // namespace trv::editors
