// A stand-in for the application shell: records every call an editor makes, with the image as it
// was at that moment, and answers "is this editor open" from a set the test controls.
#pragma once

#include "database/CTRVDoc.h"
#include "database/Image.h"
#include "editors/common/EditorHost.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace trv::test {

struct HostCall {
    std::string what; // the operation's name, e.g. "closeAndReopenEditor"
    // kind, kind * 10 + channel, help context, changed area, or kind * 10 + 1 for a disabled tree
    // item (+ 0 enabled), as the operation takes it
    int argument = 0;
    db::Image image{}; // the image when the call was made
};

// One notifyImageChanged call: the change (with its record map) and the view that made it.
struct ImageChangeCall {
    editors::ImageChange change;
    editors::EditorView* source = nullptr;
};

class FakeEditorHost : public editors::EditorHost {
public:
    db::CTRVDoc& document() override { return doc; }

    bool isEditorOpen(editors::EditorKind kind) override
    {
        record("isEditorOpen", static_cast<int>(kind));
        return openEditors.count(kind) != 0;
    }
    void openOrActivateEditor(editors::EditorKind kind, int channel) override
    {
        record("openOrActivateEditor", static_cast<int>(kind) * 10 + channel);
    }
    void closeAndReopenEditor(editors::EditorKind kind) override
    {
        record("closeAndReopenEditor", static_cast<int>(kind));
    }
    void closeEditor(editors::EditorKind kind) override { record("closeEditor", static_cast<int>(kind)); }
    void closeChannelEditors2To4() override { record("closeChannelEditors2To4"); }
    void activateNextEditor() override { record("activateNextEditor"); }
    void notifyImageChanged(const editors::ImageChange& change, editors::EditorView* source) override
    {
        record("notifyImageChanged", static_cast<int>(change.area));
        imageChanges.push_back({change, source});
    }
    void refreshChannelItems() override { record("refreshChannelItems"); }
    void refreshSpeedPagingItem() override { record("refreshSpeedPagingItem"); }
    void setTreeItemDisabled(editors::EditorKind kind, bool disabled) override
    {
        record("setTreeItemDisabled", static_cast<int>(kind) * 10 + (disabled ? 1 : 0));
    }
    // The image's table, then the working table when the test stands in an open buttons editor.
    std::vector<editors::ButtonEntries> buttonTables() override
    {
        record("buttonTables");
        std::vector<editors::ButtonEntries> tables{editors::imageButtonTable(db::theImage())};
        if (workingButtons)
            tables.push_back(*workingButtons);
        return tables;
    }
    void showHelp(int context) override { record("showHelp", context); }

    // The calls named `what`, in order.
    std::vector<HostCall> callsOf(const std::string& what) const
    {
        std::vector<HostCall> found;
        for (const HostCall& call : calls)
            if (call.what == what)
                found.push_back(call);
        return found;
    }
    // Position of the first call named `what` in the call list, or -1.
    int indexOf(const std::string& what) const
    {
        for (std::size_t i = 0; i < calls.size(); ++i)
            if (calls[i].what == what)
                return static_cast<int>(i);
        return -1;
    }

    db::CTRVDoc doc;
    std::set<editors::EditorKind> openEditors;
    std::optional<editors::ButtonEntries> workingButtons; // an open buttons editor's unsaved table
    std::vector<HostCall> calls;
    std::vector<ImageChangeCall> imageChanges;

private:
    void record(const char* what, int argument = 0) { calls.push_back({what, argument, db::theImage()}); }
};

} // namespace trv::test
