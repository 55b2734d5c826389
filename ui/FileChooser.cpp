#include "FileChooser.h"

#include <commdlg.h>

#include <vector>

#include "OperatorWatch.h"
#include "Text.h"

namespace ui {

namespace {

// An entry point of the common dialogs' library, null when it cannot be had.
template <class Function>
Function CommonDialog(const char* name) {
    static const HMODULE library = LoadLibraryW(L"comdlg32.dll");
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

using FileDialog = BOOL(APIENTRY*)(OPENFILENAMEW*);

bool Choose(HWND owner, const FileChoice& choice, std::string& path, FileDialog run) {
    if (!run) return false;
    // Room for a long path; a longer starting text is not offered at all.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring start = Widen(path);
    if (start.size() < file.size()) start.copy(file.data(), start.size());
    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.lpstrFilter = choice.filter;
    chooser.lpstrDefExt = choice.defaultExtension;
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = static_cast<DWORD>(file.size());
    chooser.Flags = choice.flags;
    const bool chosen = run(&chooser) != FALSE;
    if (chosen) path = Narrow(file.data());
    if (OperatorWatcher* watcher = Watcher()) watcher->FileChosen(owner, chosen ? &path : nullptr);
    return chosen;
}

}  // namespace

bool ChooseFileToOpen(HWND owner, const FileChoice& choice, std::string& path) {
    static const auto run = CommonDialog<FileDialog>("GetOpenFileNameW");
    return Choose(owner, choice, path, run);
}

bool ChooseFileToSave(HWND owner, const FileChoice& choice, std::string& path) {
    static const auto run = CommonDialog<FileDialog>("GetSaveFileNameW");
    return Choose(owner, choice, path, run);
}

bool ChooseColour(CHOOSECOLORW& chooser) {
    static const auto run = CommonDialog<BOOL(APIENTRY*)(CHOOSECOLORW*)>("ChooseColorW");
    const bool chosen = run && run(&chooser);
    if (OperatorWatcher* watcher = Watcher())
        watcher->ColourChosen(chooser.hwndOwner, chosen ? static_cast<long>(chooser.rgbResult) : -1);
    return chosen;
}

}  // namespace ui
