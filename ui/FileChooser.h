// The system's file and colour choosers, with the path in the system code
// page. Their library is loaded on first use: linked at load time it brings
// the shell's libraries into every start of the console.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace ui {

// What a chooser offers; each caller keeps its own as a constant.
struct FileChoice {
    // Pairs of description and pattern, each ending in '\0', the whole list
    // ending in a second '\0' (the chooser's own filter format).
    const wchar_t* filter = nullptr;
    const wchar_t* defaultExtension = nullptr;  // without the dot; null for none
    DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
};

// Runs the open-style chooser over `owner` starting at `path`; on OK `path`
// becomes the chosen full path and the answer is true. Cancel changes nothing.
bool ChooseFileToOpen(HWND owner, const FileChoice& choice, std::string& path);
// The same with the save-style chooser.
bool ChooseFileToSave(HWND owner, const FileChoice& choice, std::string& path);
// The colour chooser; false on Cancel or when the chooser cannot be loaded.
bool ChooseColour(CHOOSECOLORW& chooser);

}  // namespace ui
