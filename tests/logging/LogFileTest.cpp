// The log file writer against real files, mutexes and processes.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "LogFile.h"
#include "TestFolder.h"

using testing_support::FileExists;
using testing_support::FileSize;
using testing_support::ReadFileText;
using testing_support::TestFolder;
using testing_support::WriteFileText;

namespace {

std::vector<std::string> Records(const std::string& text) {
    std::vector<std::string> records;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        records.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "file ends inside a record";
    return records;
}

const std::regex kRecord(R"(\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} \[[0-9A-F]{8}\] \[[0-9A-F]{8}\] \[INFO \] - (.*))");

std::string TextOf(const std::string& record) {
    std::smatch match;
    EXPECT_TRUE(std::regex_match(record, match, kRecord)) << record;
    return match.size() > 1 ? match[1].str() : std::string();
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(LogFile, WithoutAFileAtStartNothingIsEverWritten) {
    TestFolder folder;
    CLogFile log(folder.Path(), "VrxClient", "VrxClient", 5242880, 65535);
    EXPECT_FALSE(log.IsEnabled());
    log.Write(LOG_INFO, "test", 1, "lost");
    WriteFileText(folder.File("VrxClient.log"), "");  // created later: still off
    log.Write(LOG_INFO, "test", 2, "lost too");
    EXPECT_EQ(ReadFileText(folder.File("VrxClient.log")), "");
    EXPECT_FALSE(FileExists(folder.File("VrxClient.old.log")));
}

TEST(LogFile, AnExistingFileIsAppendedToRecordByRecord) {
    TestFolder folder;
    WriteFileText(folder.File("VrxClient.log"), "");
    CLogFile log(folder.Path(), "VrxClient", "VrxClient", 5242880, 65535);
    ASSERT_TRUE(log.IsEnabled());
    log.Write(LOG_INFO, "test", 1, "first");
    log.Write(LOG_INFO, "test", 2, "second");
    const auto records = Records(ReadFileText(folder.File("VrxClient.log")));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(TextOf(records[0]), "first");
    EXPECT_EQ(TextOf(records[1]), "second");
    char ids[32];
    std::snprintf(ids, sizeof ids, "[%08X] [%08X]", static_cast<unsigned>(GetCurrentProcessId()),
                  static_cast<unsigned>(GetCurrentThreadId()));
    EXPECT_NE(records[0].find(ids), std::string::npos) << records[0];
}

TEST(LogFile, AnOldBackupAloneSwitchesLoggingOn) {
    TestFolder folder;
    WriteFileText(folder.File("VrxClient.old.log"), "kept\r\n");
    CLogFile log(folder.Path(), "VrxClient", "VrxClient", 5242880, 65535);
    EXPECT_TRUE(log.IsEnabled());
    EXPECT_EQ(log.BackupPath(), folder.File("VrxClient.old.log"));
    log.Write(LOG_INFO, "test", 1, "new");
    EXPECT_EQ(Records(ReadFileText(folder.File("VrxClient.log"))).size(), 1u);
    EXPECT_EQ(ReadFileText(folder.File("VrxClient.old.log")), "kept\r\n");
}

// An empty log beside an older generation.
class LogRotation : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFileText(old, "an older generation\r\n");
        WriteFileText(log, "");
    }
    TestFolder folder;
    const std::string log = folder.File("VrxClient.log");
    const std::string old = folder.File("VrxClient.old.log");
};

TEST_F(LogRotation, KeepsTheWholeFileAsBackupAndStartsAfresh) {
    const std::string one = std::string(40, 'a');
    // Measure one record, then set the limit so that the third crosses it.
    {
        CLogFile probe(folder.Path(), "VrxClient", "VrxClient", 1u << 30, 65535);
        probe.Write(LOG_INFO, "test", 1, one.c_str());
    }
    const long long recordSize = FileSize(log);
    ASSERT_GT(recordSize, 40);
    CLogFile writer(folder.Path(), "VrxClient", "VrxClient", static_cast<uint32_t>(2 * recordSize + 10), 65535);
    writer.Write(LOG_INFO, "test", 2, one.c_str());  // 2 records: below the limit
    EXPECT_EQ(FileSize(log), 2 * recordSize);
    writer.Write(LOG_INFO, "test", 3, "crosses the limit");
    EXPECT_FALSE(FileExists(log));
    const auto kept = Records(ReadFileText(old));
    ASSERT_EQ(kept.size(), 3u) << "the backup holds everything up to the crossing record";
    EXPECT_EQ(TextOf(kept[2]), "crosses the limit");
    writer.Write(LOG_INFO, "test", 4, "next");
    const auto fresh = Records(ReadFileText(log));
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_EQ(TextOf(fresh[0]), "next");
}

TEST_F(LogRotation, WaitsWhileAViewerHoldsTheLogAndKeepsTheOlderGeneration) {
    CLogFile writer(folder.Path(), "VrxClient", "VrxClient", 1, 65535);  // every record crosses the limit
    HANDLE viewer = CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
    writer.Write(LOG_INFO, "test", 1, "while viewed");
    EXPECT_EQ(ReadFileText(old), "an older generation\r\n");
    EXPECT_EQ(Records(ReadFileText(log)).size(), 1u);
    CloseHandle(viewer);
    writer.Write(LOG_INFO, "test", 2, "after");
    EXPECT_FALSE(FileExists(log));
    EXPECT_EQ(Records(ReadFileText(old)).size(), 2u) << "the postponed rotation keeps both records";
}

TEST(LogFile, ExactlyTheLimitDoesNotRotate) {
    TestFolder folder;
    const std::string log = folder.File("VrxClient.log");
    WriteFileText(log, "");
    {
        CLogFile probe(folder.Path(), "VrxClient", "VrxClient", 1u << 30, 65535);
        probe.Write(LOG_INFO, "test", 1, "x");
    }
    const long long size = FileSize(log);
    CLogFile writer(folder.Path(), "VrxClient", "VrxClient", static_cast<uint32_t>(2 * size), 65535);
    writer.Write(LOG_INFO, "test", 2, "x");
    EXPECT_EQ(FileSize(log), 2 * size);
    EXPECT_FALSE(FileExists(folder.File("VrxClient.old.log")));
    writer.Write(LOG_INFO, "test", 3, "x");
    EXPECT_FALSE(FileExists(log));
    EXPECT_TRUE(FileExists(folder.File("VrxClient.old.log")));
}

TEST(LogFile, ARecordLongerThanTheBufferIsWrittenWhole) {
    TestFolder folder;
    WriteFileText(folder.File("VrxClient.log"), "");
    CLogFile log(folder.Path(), "VrxClient", "VrxClient", 5242880, 16);
    const std::string text(1000, 'z');
    log.Write(LOG_INFO, "test", 1, text.c_str());
    const auto records = Records(ReadFileText(folder.File("VrxClient.log")));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(TextOf(records[0]), text);
}

// A reader that lets writers in costs no record; one that refuses them costs
// the records written while it holds the file, each after a short wait, unless
// it lets go during that wait.
TEST(LogFile, AReaderHoldingTheFileCostsRecordsOnlyWhenItRefusesWritersToTheEnd) {
    const struct {
        const char* reader;
        DWORD share;
        DWORD letsGoAfterMs;  // into the write, from another thread; 0: holds it until the write returns
        bool kept;
    } rows[] = {
        {"shares nothing", 0, 0, false},
        {"shares reading only", FILE_SHARE_READ, 0, false},
        {"shares reading and writing", FILE_SHARE_READ | FILE_SHARE_WRITE, 0, true},
        {"shares everything", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0, true},
        {"shares nothing, lets go early in the wait", 0, 30, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reader);
        TestFolder folder;
        const std::string path = folder.File("VrxClient.log");
        WriteFileText(path, "");
        CLogFile log(folder.Path(), "VrxClient", "VrxClient", 5242880, 65535);
        // The file is held before the write starts, and let go (if at all) a fixed delay after.
        HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, row.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        const DWORD writeTick = GetTickCount();
        DWORD letGoTick = 0;
        std::thread holder([&] {
            if (!row.letsGoAfterMs) return;
            Sleep(row.letsGoAfterMs);
            CloseHandle(reader);
            letGoTick = GetTickCount();
        });
        log.Write(LOG_INFO, "test", 1, "while held");
        holder.join();
        if (!row.letsGoAfterMs) CloseHandle(reader);
        log.Write(LOG_INFO, "test", 2, "after");
        std::vector<std::string> texts;
        for (const auto& record : Records(ReadFileText(path))) texts.push_back(TextOf(record));
        // Let go before the wait was over, the file is free for the writer's
        // last attempt, which follows its last reading of the clock. A holder
        // kept from letting go until then (a machine too busy to run it) can
        // show neither the wait nor its absence.
        const DWORD heldMs = letGoTick - writeTick;
        if (row.letsGoAfterMs && heldMs >= CLogFile::kOpenRetryMs) {
            std::printf("%s: let go only %lu ms into the write; nothing to judge\n", row.reader,
                        static_cast<unsigned long>(heldMs));
            continue;
        }
        EXPECT_EQ(texts, row.kept ? (Texts{"while held", "after"}) : (Texts{"after"}));
    }
}

// An operator's viewer keeps the log open with read and write sharing and
// reads it as it grows: every record of a burst reaches the file and the viewer.
TEST(LogFile, AViewerFollowingTheFileLosesNoRecordOfABurst) {
    constexpr int kCount = 2000;
    TestFolder folder;
    const std::string path = folder.File("VrxClient.log");
    WriteFileText(path, "");
    CLogFile log(folder.Path(), "VrxClient", "VrxClient", 5242880, 65535);
    HANDLE viewer = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
    std::string seen;
    const auto readToEnd = [&] {
        char chunk[4096];
        DWORD got = 0;
        bool any = false;
        while (ReadFile(viewer, chunk, sizeof chunk, &got, nullptr) && got > 0) {
            seen.append(chunk, got);
            any = true;
        }
        return any;
    };
    std::atomic<bool> written{false};
    std::thread follower([&] {
        while (!written)
            if (!readToEnd()) Sleep(1);
        readToEnd();  // what the last records added
    });
    for (int i = 0; i < kCount; ++i) log.Write(LOG_INFO, "test", i, ("record " + std::to_string(i)).c_str());
    written = true;
    follower.join();
    CloseHandle(viewer);
    const std::string text = ReadFileText(path);
    const auto records = Records(text);
    ASSERT_EQ(records.size(), static_cast<size_t>(kCount)) << "no record lost";
    EXPECT_EQ(TextOf(records.back()), "record " + std::to_string(kCount - 1));
    EXPECT_EQ(seen, text) << "the viewer read the file as it was written";
}

TEST(LogFile, AMutexHeldForeverDelaysButDoesNotStopTheWriter) {
    TestFolder folder;
    WriteFileText(folder.File("VrxClient.log"), "");
    CLogFile log(folder.Path(), "VrxClient", "VrxClient", 5242880, 65535);
    const std::string name = vrx::LogMutexName(log.MainPath());
    HANDLE held = nullptr;
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE taken = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        held = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
        if (held) WaitForSingleObject(held, INFINITE);
        SetEvent(taken);
        WaitForSingleObject(release, INFINITE);
        if (held) {
            ReleaseMutex(held);
            CloseHandle(held);
        }
    });
    WaitForSingleObject(taken, INFINITE);
    ASSERT_NE(held, nullptr) << "the writer's mutex is named after its path";
    log.Write(LOG_INFO, "test", 1, "written anyway");
    SetEvent(release);
    holder.join();
    CloseHandle(release);
    CloseHandle(taken);
    const auto records = Records(ReadFileText(folder.File("VrxClient.log")));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(TextOf(records[0]), "written anyway");
}

TEST(LogFile, AnAbandonedMutexIsTakenOverAtOnce) {
    TestFolder folder;
    WriteFileText(folder.File("VrxClient.log"), "");
    CLogFile log(folder.Path(), "VrxClient", "VrxClient", 5242880, 65535);
    const std::string name = vrx::LogMutexName(log.MainPath());
    // A holder that ends without releasing leaves the mutex abandoned.
    std::thread([&] {
        HANDLE held = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
        ASSERT_NE(held, nullptr);
        ASSERT_EQ(WaitForSingleObject(held, INFINITE), WAIT_OBJECT_0);
    }).join();
    log.Write(LOG_INFO, "test", 1, "after the holder died");
    // The writer owned the mutex and gave it back: it is plainly free now.
    DWORD probe = WAIT_FAILED;
    std::thread([&] {
        HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
        probe = WaitForSingleObject(mutex, 0);
        if (probe == WAIT_OBJECT_0 || probe == WAIT_ABANDONED) ReleaseMutex(mutex);
        CloseHandle(mutex);
    }).join();
    EXPECT_EQ(probe, static_cast<DWORD>(WAIT_OBJECT_0));
    const auto records = Records(ReadFileText(folder.File("VrxClient.log")));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(TextOf(records[0]), "after the holder died");
}

TEST(LogFile, TwoProcessesLeaveWholeUnmixedRecordsInOrderAcrossARotation) {
    const struct {
        int count;
        const char* rotationSize;  // bytes
        bool rotates;
    } cases[] = {{2000, "5242880", false}, {10000, "1500000", true}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.count);
        TestFolder folder;
        WriteFileText(folder.File("Shared.log"), "");
        const std::string writer = testing_support::ThisProgramFolder() + "log_writer.exe";
        PROCESS_INFORMATION processes[2] = {};
        const char* names[2] = {"alpha", "omega"};
        for (int i = 0; i < 2; ++i) {
            // No trailing backslash inside the quotes: it would escape the quote.
            const std::string path = folder.Path().substr(0, folder.Path().size() - 1);
            std::string command = "\"" + writer + "\" \"" + path + "\" " + std::to_string(row.count) + " " + names[i] +
                                  " " + row.rotationSize;
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                       &processes[i]));
        }
        for (auto& process : processes) {
            ASSERT_EQ(WaitForSingleObject(process.hProcess, 110000), WAIT_OBJECT_0);
            DWORD code = 99;
            GetExitCodeProcess(process.hProcess, &code);
            EXPECT_EQ(code, 0u);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        EXPECT_EQ(FileExists(folder.File("Shared.old.log")), row.rotates);
        // The backup holds the older records, the log the newer ones.
        const auto records = Records(ReadFileText(folder.File("Shared.old.log")) + ReadFileText(folder.File("Shared.log")));
        ASSERT_EQ(records.size(), 2u * row.count) << "no record lost";
        int next[2] = {0, 0};
        const std::regex text(R"((alpha|omega) record (\d{6}) with some padding to make it longer)");
        for (const auto& record : records) {
            std::smatch match;
            const std::string body = TextOf(record);
            ASSERT_TRUE(std::regex_match(body, match, text)) << record;
            const int who = match[1] == "alpha" ? 0 : 1;
            EXPECT_EQ(std::stoi(match[2]), next[who]++) << "records of one process stay in order";
        }
        EXPECT_EQ(next[0], row.count);
        EXPECT_EQ(next[1], row.count);
    }
}
