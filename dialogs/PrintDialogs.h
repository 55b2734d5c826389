// The print dialog: a tab control over two or three pages, each a child
// dialog editing part of the caller's print request block in place, and the
// repeat count. The pages are found by their titles, not by tab index.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Dialog.h"
#include "VrxSdk.h"

// What the print routine prepares and the print dialog edits.
struct PrintRequest {
    static constexpr size_t kPathCapacity = 259;

    uint32_t orderId = 0;
    // dwImageFormat holds the format list's index while the dialog runs.
    VRXPRINTINFO info{};
    uint32_t repeatCount = 1;
    uint32_t mode = 0;  // 0 plain; 1 colour-command (KOLMXML)
    int16_t priority = 0;
    std::string imageName;
    std::string colorCommandPath;
};

// The colour-command priorities offered on the KOLMXML page, in list order.
struct KolmPriority {
    int16_t value;
    const char* name;
};
extern const KolmPriority KolmPriorityTable[6];

// One page: a child dialog over the block, with its tab title.
class CPrintPage : public ui::Dialog {
public:
    CPrintPage(int templateId, PrintRequest& block) : ui::Dialog(templateId), m_block(block) {}
    virtual std::string GetPageTitle() const = 0;
    // Takes the controls' values with their checks into the block; false
    // (the refused field reported) when one is refused.
    virtual bool StoreValues() = 0;
    // Called before a refused field is reported, so the page can be shown.
    std::function<void(CPrintPage&)> m_reveal;

protected:
    // Enter and Esc belong to the print dialog, not to a page.
    void OnOK() override;
    void OnCancel() override;
    void OnExchangeFailure(int id, const std::string& message) override;

    PrintRequest& m_block;
};

class CPrintBasicPage : public CPrintPage {
public:
    explicit CPrintBasicPage(PrintRequest& block);
    std::string GetPageTitle() const override { return "BASIC"; }
    bool StoreValues() override;
    // The maintenance image formats are offered (read on every opening).
    bool m_maintenance = false;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    void OnChooseImage();

    uint32_t m_cvpInitialValue1 = 0, m_cvpInitialValue2 = 0, m_cvpInitialWidth1 = 0, m_cvpInitialWidth2 = 0;
    std::string m_cvpLine1, m_cvpLine2;
    uint32_t m_cvpPoint1 = 0, m_cvpPoint2 = 0;
    uint32_t m_dataLength = 0, m_imgHeight = 0, m_imgWidth = 0, m_offset = 0, m_paperLength = 0;
    uint32_t m_paperPresence = 0, m_paperWidth = 0, m_resolution = 0, m_surface = 0, m_printNum = 0;
    int16_t m_espc = 0;
    uint32_t m_orderId = 0;
    std::string m_imageName;
};

class CPrintExtendPage : public CPrintPage {
public:
    explicit CPrintExtendPage(PrintRequest& block);
    std::string GetPageTitle() const override { return "EXTEND"; }
    bool StoreValues() override;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    void OnChooseColor();

    std::string m_paperName;
    uint16_t m_borderBottom = 0, m_borderLeft = 0, m_borderRight = 0, m_borderTop = 0;
    int32_t m_pcfms = 0;
};

class CPrintKolmXmlPage : public CPrintPage {
public:
    explicit CPrintKolmXmlPage(PrintRequest& block);
    std::string GetPageTitle() const override { return "KOLMXML"; }
    bool StoreValues() override;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    void OnChooseFile();

    std::string m_path;
    int m_priorityIndex = -1;
};

// "vrxDevPrint" (mode 0) or "DevPrintKolmXml" (mode 1).
class CDevPrintDlg : public ui::Dialog {
public:
    CDevPrintDlg();
    ~CDevPrintDlg() override;
    uint32_t m_repeatCount = 0;
    uint32_t m_mode = 0;
    PrintRequest* m_block = nullptr;
    bool m_maintenance = false;  // handed to the BASIC page

    // The pages in tab order, for the window's own tests.
    const std::vector<std::unique_ptr<CPrintPage>>& Pages() const { return m_pages; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDestroy() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    void ShowSelectedPage();
    void Reveal(CPrintPage& page);

    ui::Tab m_tab;
    std::vector<std::unique_ptr<CPrintPage>> m_pages;
};
