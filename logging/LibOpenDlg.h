// "vrxLibOpen": the printer library's own logging settings, written to its
// settings file before the library is opened.
#pragma once

#include <cstdint>
#include <string>

#include "Dialog.h"

class CLibOpenDlg : public ui::Dialog {
public:
    CLibOpenDlg();

    // 1 once OK was pressed with "Log" checked; then the file was written.
    int32_t LoggingSwitch() const { return m_loggingSwitch; }
    // Full path of the library's settings file in the program folder.
    const std::string& SettingsPath() const { return m_settingsPath; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    void OnLogSwitch();
    void OnFind();
    void WriteSettings() const;

    int32_t m_loggingSwitch = 0;
    std::string m_settingsPath;
    uint32_t m_maxLines = 100;
    std::string m_logger;
    // What the other controls hold, exchanged like the two above.
    bool m_logOn = true;
    std::string m_fileName;
    bool m_levelFatal = true;
    bool m_levelWarn = true;
    bool m_levelInfo = true;
    bool m_levelDebug = true;
};
