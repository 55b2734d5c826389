// A fresh folder under the temporary directory, removed with its files.
#pragma once

#include <string>

namespace testing_support {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // Ends in a backslash.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
long long FileSize(const std::string& path);
// Folder of the running test program, ending in a backslash.
std::string ThisProgramFolder();

}  // namespace testing_support
