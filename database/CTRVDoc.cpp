#include "database/CTRVDoc.h"

namespace trv::db {

void CTRVDoc::setPathName(std::string path)
{
    pathName_ = std::move(path);
    // The title is the file name without its folder.
    const auto slash = pathName_.rfind('/');
    title_ = slash == std::string::npos ? pathName_ : pathName_.substr(slash + 1);
}

void CTRVDoc::addEditorWindow(EditorWindow* window)
{
    if (std::find(editorWindows_.begin(), editorWindows_.end(), window) == editorWindows_.end())
        editorWindows_.push_back(window);
}

void CTRVDoc::removeEditorWindow(EditorWindow* window)
{
    std::erase(editorWindows_, window);
}

} // namespace trv::db
