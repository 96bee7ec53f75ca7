// The database document: whether a database is open, its name and file, whether it was modified,
// and which editor windows show it. It holds no copy of the data: all content lives in the image.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace trv::db {

// Anything that shows part of the open database in a window of its own. The document only keeps
// track of them; it never owns or touches a window.
class EditorWindow {
public:
    virtual ~EditorWindow() = default;
};

class CTRVDoc {
public:
    static constexpr const char* kNewTitle = "New";

    bool isModified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }

    bool isLoaded() const { return loaded_; }
    void setLoaded(bool loaded) { loaded_ = loaded; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    // Empty until the database was opened from or saved to a file.
    const std::string& pathName() const { return pathName_; }
    void setPathName(std::string path);

    // Channel index (0..3) that the next channel window opens.
    int nextChannelIndex() const { return nextChannelIndex_; }
    void setNextChannelIndex(int index) { nextChannelIndex_ = index; }

    void addEditorWindow(EditorWindow* window);
    void removeEditorWindow(EditorWindow* window);
    const std::vector<EditorWindow*>& editorWindows() const { return editorWindows_; }
    bool anyEditorWindowOpen() const { return !editorWindows_.empty(); }

private:
    bool modified_ = false;
    bool loaded_ = false;
    std::string title_ = kNewTitle;
    std::string pathName_;
    int nextChannelIndex_ = 0;
    std::vector<EditorWindow*> editorWindows_;
};

} // namespace trv::db
