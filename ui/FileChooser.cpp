#include "FileChooser.h"

#include <commdlg.h>

#include <vector>

#include "Text.h"

namespace ui {

namespace {

bool Choose(const FileChoice& choice, std::string& path, BOOL(APIENTRY* run)(OPENFILENAMEW*)) {
    // Room for a long path; a longer starting text is not offered at all.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring start = Widen(path);
    if (start.size() < file.size()) start.copy(file.data(), start.size());
    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = choice.owner;
    chooser.lpstrFilter = choice.filter;
    chooser.lpstrDefExt = choice.defaultExtension;
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = static_cast<DWORD>(file.size());
    chooser.Flags = choice.flags;
    if (!run(&chooser)) return false;
    path = Narrow(file.data());
    return true;
}

}  // namespace

bool ChooseFileToOpen(const FileChoice& choice, std::string& path) { return Choose(choice, path, GetOpenFileNameW); }

bool ChooseFileToSave(const FileChoice& choice, std::string& path) { return Choose(choice, path, GetSaveFileNameW); }

}  // namespace ui
