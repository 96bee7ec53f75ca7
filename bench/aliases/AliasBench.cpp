// Measures the PTT ID alias list where the table is largest: opening the window on a full table of
// 250 aliases, one add on a table of 249 (the new label sorts first, so every alias moves), one
// rename from the first place to the last, and one delete of the first alias (every alias moves
// up). Each step runs through the real window and dialog, offscreen, repeated; prints the median
// and the slowest run in milliseconds.
//
// Usage: alias_bench [repetitions]   (default 30)
#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"
#include "editors/aliases/AliasListFV.h"
#include "editors/aliases/EditAliasFV.h"
#include "editors/common/EditorDialog.h"
#include "platform/MessageBox.h"
#include "tests/editors/FakeEditorHost.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace trv;
using Clock = std::chrono::steady_clock;

// Fills records 0..count-1 with aliases in label order ("M1000", "M1001", ...).
void fillAliases(int count)
{
    db::closeDatabase();
    db::newDatabase();
    const db::SortedTable& table = editors::EditAliasFV::table();
    for (int r = 0; r < count; ++r) {
        db::writeFieldText(db::theImage(), table.labelField(), "M" + std::to_string(1000 + r), r);
        db::writeFieldText(db::theImage(), db::fields::aliasPttId, std::to_string(10000000 + r), r);
    }
}

struct Figures {
    std::vector<double> ms;
    void print(const char* what) const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-44s median %7.2f ms   slowest %7.2f ms   (%zu runs)\n", what,
                    sorted[sorted.size() / 2], sorted.back(), sorted.size());
    }
};

double timed(const std::function<void()>& step)
{
    const Clock::time_point start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QPushButton* buttonOf(QWidget* parent, const char* text)
{
    for (QPushButton* b : parent->findChildren<QPushButton*>())
        if (b->text() == QString::fromLatin1(text))
            return b;
    std::fprintf(stderr, "alias_bench: no button %s\n", text);
    std::exit(1);
}

QLineEdit* editOf(QWidget* dialog, const char* label)
{
    for (QLabel* caption : dialog->findChildren<QLabel*>())
        if (caption->text() == QString::fromLatin1(label))
            return qobject_cast<QLineEdit*>(caption->buddy());
    std::fprintf(stderr, "alias_bench: no edit %s\n", label);
    std::exit(1);
}

// The dialog's part of an add or rename: enter the texts and press OK.
void answerDialog(const char* label, const char* id)
{
    editors::EditorDialog::setHook([label, id](editors::EditorDialog& dlg) {
        editOf(&dlg, "&Label")->setText(QString::fromLatin1(label));
        editOf(&dlg, "&PTT ID")->setText(QString::fromLatin1(id));
        buttonOf(&dlg, "OK")->click();
    });
}

class Bench {
public:
    Bench()
    {
        area_.resize(1200, 900);
        area_.show();
    }

    // Opens the window as the shell does: in a frame of the client area, then its open step.
    editors::AliasListFV* open()
    {
        auto* view = new editors::AliasListFV(host_);
        frame_ = area_.addSubWindow(view);
        frame_->setAttribute(Qt::WA_DeleteOnClose);
        frame_->show();
        view->initialFill();
        QCoreApplication::processEvents(); // lays out and paints the list
        return view;
    }
    void close()
    {
        frame_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QTreeWidget* list() const { return frame_->findChild<QTreeWidget*>(); }
    void clickAndPaint(const char* button)
    {
        buttonOf(frame_, button)->click();
        QCoreApplication::processEvents();
    }

private:
    test::FakeEditorHost host_;
    QMdiArea area_;
    QMdiSubWindow* frame_ = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 30;
    if (repetitions <= 0) {
        std::fprintf(stderr, "alias_bench: the repetition count must be a positive number\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::setMessageHook([](const platform::MessageRequest& box) {
        if (box.buttons != platform::MsgButtons::YesNo) {
            std::fprintf(stderr, "alias_bench: unexpected message: %s\n", qPrintable(box.text));
            std::exit(1);
        }
        return platform::MsgAnswer::Yes;
    });

    Bench bench;
    Figures open, add, rename, remove;
    for (int k = 0; k < repetitions; ++k) {
        fillAliases(250);
        open.ms.push_back(timed([&] { bench.open(); }));
        bench.close();

        fillAliases(249);
        bench.open();
        answerDialog("A", "FFFF");
        add.ms.push_back(timed([&] { bench.clickAndPaint("&Add"); }));
        if (db::readFieldText(db::theImage(), db::fields::aliasLabel, 0) != "A") {
            std::fprintf(stderr, "alias_bench: the added alias is not first\n");
            return 1;
        }
        bench.list()->setCurrentItem(bench.list()->topLevelItem(0)); // the new alias, at the top
        answerDialog("ZZ", "EEEE");
        rename.ms.push_back(timed([&] { bench.clickAndPaint("&Edit"); }));
        bench.list()->setCurrentItem(bench.list()->topLevelItem(0));
        remove.ms.push_back(timed([&] { bench.clickAndPaint("&Delete"); }));
        if (db::readFieldText(db::theImage(), db::fields::aliasLabel, 248) != "ZZ" ||
            !db::readFieldText(db::theImage(), db::fields::aliasLabel, 249).empty()) {
            std::fprintf(stderr, "alias_bench: the table is not in the expected order\n");
            return 1;
        }
        bench.close();
        editors::EditorDialog::setHook({});
    }

    open.print("open the list on 250 aliases");
    add.print("add one alias to 249 (sorts first)");
    rename.print("rename the first of 250 to the last");
    remove.print("delete the first of 250 (packs the rest)");
    return 0;
}
