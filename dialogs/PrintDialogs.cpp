#include "PrintDialogs.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>

#include "DataExchange.h"
#include "FileBytes.h"
#include "FileChooser.h"
#include "ImageProbe.h"
#include "resource.h"

const KolmPriority KolmPriorityTable[6] = {
    {-3, "THREAD_PRIORITY_IDLE"},         {-2, "THREAD_PRIORITY_LOWEST"},
    {-1, "THREAD_PRIORITY_BELOW_NORMAL"}, {0, "THREAD_PRIORITY_NORMAL"},
    {1, "THREAD_PRIORITY_ABOVE_NORMAL"},  {2, "THREAD_PRIORITY_HIGHEST"},
};

namespace {

constexpr size_t kCvpLineCapacity = 255;
constexpr size_t kPaperNameCapacity = 32;
// The JPEG probe reads at most this much; a frame header sits near the start.
constexpr uint64_t kProbeLimit = 256ull << 20;

const char* const kImageFormats[] = {
    "0 : JPEG TYPE1",        "1 : BMP TYPE1",         "2 : RAW24",
    "3 : RGB48 (H12, LSB)",  "4 : RGB48 (L12, LSB)",  "5 : BGR48 (H12, LSB)",
    "6 : BGR48 (L12, LSB)",  "7 : RGB48 (H12, MSB)",  "8 : RGB48 (L12, MSB)",
    "9 : BGR48 (H12, MSB)",  "10 : BGR48 (L12, MSB)", "11 : JPEG TYPE2",
    "12 : BMP TYPE2",        "13 : TIFF TYPE1",       "14 : BMP TYPE1 (File Path)",
    "15 : 0x64 (100)",       "16 : 0x65 (101)",
};
constexpr int kPlainFormats = 15;

const ui::FileChoice kImageFiles{
    L"All Files (*.*)\0*.*\0JPEG (*.jpg)\0*.jpg\0Bitmap (*.bmp)\0*.bmp\0RAW (*.raw)\0*.raw\0"};
const ui::FileChoice kColorCommandFiles{L"XML (*.xml)\0*.xml\0"};

void CopyText(const std::string& text, char* field, size_t size) {
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, size - n);
}

std::string TextOf(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

std::string ColorText(const uint8_t (&rgb)[3]) {
    char text[32];
    std::snprintf(text, sizeof text, "R=%03d G=%03d B=%03d", rgb[0], rgb[1], rgb[2]);
    return text;
}

}  // namespace

// --- Page base

void CPrintPage::OnOK() { Parent().Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); }

void CPrintPage::OnCancel() { Parent().Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); }

void CPrintPage::OnExchangeFailure(int id, const std::string& message) {
    if (m_reveal) m_reveal(*this);
    ui::Dialog::OnExchangeFailure(id, message);
}

// --- BASIC

CPrintBasicPage::CPrintBasicPage(PrintRequest& block) : CPrintPage(IDD_PRINT_BASIC, block) {
    Route(IDC_BASIC_CHOOSE_IMAGE, &CPrintBasicPage::OnChooseImage);
}

BOOL CPrintBasicPage::OnInitDialog() {
    ui::ComboBox formats(Item(IDC_BASIC_IMAGE_FORMAT));
    const int offered = m_maintenance ? static_cast<int>(std::size(kImageFormats)) : kPlainFormats;
    for (int i = 0; i < offered; ++i) formats.AddString(kImageFormats[i]);
    FillList(IDC_BASIC_FEED, {"0 : ROLL", "1 : SHEET"});
    FillList(IDC_BASIC_SOURCE_TYPE, {"0 : SHAREDMEM", "1 : FILE"});

    const VRXPRINTINFO& info = m_block.info;
    m_cvpInitialValue1 = info.dwCvpInitialValue1;
    m_cvpInitialValue2 = info.dwCvpInitialValue2;
    m_cvpInitialWidth1 = info.dwCvpInitialWidth1;
    m_cvpInitialWidth2 = info.dwCvpInitialWidth2;
    m_cvpLine1 = TextOf(info.szCvpLine1, sizeof info.szCvpLine1);
    m_cvpLine2 = TextOf(info.szCvpLine2, sizeof info.szCvpLine2);
    m_cvpPoint1 = info.dwCvpPoint1;
    m_cvpPoint2 = info.dwCvpPoint2;
    m_dataLength = info.dwDataLength;
    m_imgHeight = info.dwImgHeight;
    m_imgWidth = info.dwImgWidth;
    m_offset = info.dwOffset;
    m_paperLength = info.dwPaperLength;
    m_paperPresence = info.dwPaperPresence;
    m_paperWidth = info.dwPaperWidth;
    m_resolution = info.dwResolution;
    m_surface = info.dwSurface;
    m_printNum = info.dwPrintNum;
    m_espc = info.nEspc;
    m_orderId = m_block.orderId;
    m_imageName = m_block.imageName;
    return ui::Dialog::OnInitDialog();
}

void CPrintBasicPage::Exchange(ui::DataExchange& dx) {
    dx.UInt(IDC_BASIC_CVP_INITIAL_VALUE1, m_cvpInitialValue1, 0, 1000);
    dx.UInt(IDC_BASIC_CVP_INITIAL_VALUE2, m_cvpInitialValue2, 0, 1000);
    dx.UInt(IDC_BASIC_CVP_INITIAL_WIDTH1, m_cvpInitialWidth1, 0, 1000);
    dx.UInt(IDC_BASIC_CVP_INITIAL_WIDTH2, m_cvpInitialWidth2, 0, 1000);
    dx.Text(IDC_BASIC_CVP_LINE1, m_cvpLine1, kCvpLineCapacity);
    dx.Text(IDC_BASIC_CVP_LINE2, m_cvpLine2, kCvpLineCapacity);
    dx.UInt(IDC_BASIC_CVP_POINT1, m_cvpPoint1, 0, 1000);
    dx.UInt(IDC_BASIC_CVP_POINT2, m_cvpPoint2, 0, 1000);
    dx.UInt(IDC_BASIC_DATA_LENGTH, m_dataLength, 0, 1000000000);
    dx.UInt(IDC_BASIC_IMG_HEIGHT, m_imgHeight, 0, 65535);
    dx.UInt(IDC_BASIC_IMG_WIDTH, m_imgWidth, 0, 65535);
    dx.UInt(IDC_BASIC_OFFSET, m_offset, 0, 1000);
    dx.UInt(IDC_BASIC_PAPER_LENGTH, m_paperLength, 0, 10000);
    dx.UInt(IDC_BASIC_PAPER_PRESENCE, m_paperPresence, 0, 1000);
    dx.UInt(IDC_BASIC_PAPER_WIDTH, m_paperWidth, 0, 10000);
    dx.UInt(IDC_BASIC_RESOLUTION, m_resolution, 0, 10000);
    dx.UInt(IDC_BASIC_SURFACE, m_surface, 0, 1000);
    dx.UInt(IDC_BASIC_PRINT_NUM, m_printNum, 1, 10000);
    dx.Short(IDC_BASIC_ESPC, m_espc, -999, 999);
    dx.UInt(IDC_BASIC_ORDER_ID, m_orderId);
    dx.Text(IDC_BASIC_IMAGE_NAME, m_imageName, PrintRequest::kPathCapacity);
    // The lists keep no member: their selection is the block's field.
    dx.ComboIndex(IDC_BASIC_IMAGE_FORMAT, m_block.info.dwImageFormat);
    dx.ComboIndex(IDC_BASIC_SOURCE_TYPE, m_block.info.dwSourceType);
    dx.ComboIndex(IDC_BASIC_FEED, m_block.info.dwFeed);
}

bool CPrintBasicPage::StoreValues() {
    if (!UpdateData(true)) return false;
    VRXPRINTINFO& info = m_block.info;
    info.dwCvpInitialValue1 = m_cvpInitialValue1;
    info.dwCvpInitialValue2 = m_cvpInitialValue2;
    info.dwCvpInitialWidth1 = m_cvpInitialWidth1;
    info.dwCvpInitialWidth2 = m_cvpInitialWidth2;
    CopyText(m_cvpLine1, info.szCvpLine1, sizeof info.szCvpLine1);
    CopyText(m_cvpLine2, info.szCvpLine2, sizeof info.szCvpLine2);
    info.dwCvpPoint1 = m_cvpPoint1;
    info.dwCvpPoint2 = m_cvpPoint2;
    info.dwDataLength = m_dataLength;
    info.dwImgHeight = m_imgHeight;
    info.dwImgWidth = m_imgWidth;
    info.dwOffset = m_offset;
    info.dwPaperLength = m_paperLength;
    info.dwPaperPresence = m_paperPresence;
    info.dwPaperWidth = m_paperWidth;
    info.dwResolution = m_resolution;
    info.dwSurface = m_surface;
    info.dwPrintNum = m_printNum;
    info.nEspc = m_espc;
    m_block.orderId = m_orderId;
    m_block.imageName = m_imageName;
    return true;
}

void CPrintBasicPage::OnChooseImage() {
    if (!UpdateData(true)) return;
    std::string path;
    if (!ui::ChooseFileToOpen(Handle(), kImageFiles, path)) return;
    const vrx::ImageKind kind = vrx::KindOfImagePath(path);
    const uint64_t wanted = std::min<uint64_t>(vrx::BytesNeeded(kind), kProbeLimit);
    const FileBytes file = ReadFileBytes(path, wanted);
    if (!file.opened) {
        // Nothing changes: the operator sees why and chooses again.
        ShowError(FileErrorMessage(path, file.error));
        return;
    }
    const vrx::ImageSize size = vrx::ProbeImageBytes(kind, file.bytes.data(), file.bytes.size());
    m_imageName = path;
    m_dataLength = static_cast<uint32_t>(std::min<uint64_t>(file.length, std::numeric_limits<uint32_t>::max()));
    m_imgWidth = size.width;
    m_imgHeight = size.height;
    UpdateData(false);
}

// --- EXTEND

CPrintExtendPage::CPrintExtendPage(PrintRequest& block) : CPrintPage(IDD_PRINT_EXTEND, block) {
    Route(IDC_EXTEND_CHOOSE_COLOR, &CPrintExtendPage::OnChooseColor);
}

BOOL CPrintExtendPage::OnInitDialog() {
    FillList(IDC_EXTEND_CVP_PRINT_SIZE, {"0 : CVPSIZE_NORMAL", "1 : CVPSIZE_SMALL", "2 : CVPSIZE_LARGE"});
    FillList(IDC_EXTEND_CMS, {"0 : OFF", "1 : ONNORMAL", "2 : ONCUSTOM"});
    FillList(IDC_EXTEND_ANGLE, {"0 : 0", "1 : 90", "2 : 180", "3 : 270"});
    FillList(IDC_EXTEND_FITTING, {"0 : REALSIZE", "1 : CUT", "2 : OVERALL", "3 : REALSIZE (CENTER)"});
    FillList(IDC_EXTEND_EDGE, {"0 : OFF", "1 : ON"});
    FillList(IDC_EXTEND_COLOR_SPACE, {"0 : ICS_SRGB", "1 : ICS_ARGB"});
    FillList(IDC_EXTEND_PRINT_QUALITY,
             {"0 : PROC_PRNQLT_PRINTER", "1 : PROC_PRNQLT_NORMAL", "2 : PROC_PRNQLT_QUALITY1"});
    FillList(IDC_EXTEND_ENLARGE_TYPE, {"0 : PROC_IMGENLG_BILINEAR", "1 : PROC_IMGENLG_NNEIGHBOR"});

    const VRXPRINTINFO& info = m_block.info;
    m_borderTop = info.wWithBorderTop;
    m_borderBottom = info.wWithBorderBottom;
    m_borderLeft = info.wWithBorderLeft;
    m_borderRight = info.wWithBorderRight;
    m_paperName = TextOf(info.szPaperName, sizeof info.szPaperName);
    m_pcfms = info.nPcfms;
    return ui::Dialog::OnInitDialog();
}

void CPrintExtendPage::Exchange(ui::DataExchange& dx) {
    dx.StaticText(IDC_EXTEND_BORDER_COLOR, ColorText(m_block.info.byWithBorderColor));
    dx.Text(IDC_EXTEND_PAPER_NAME, m_paperName, kPaperNameCapacity);
    dx.Word(IDC_EXTEND_BORDER_BOTTOM, m_borderBottom, 0, 1000);
    dx.Word(IDC_EXTEND_BORDER_LEFT, m_borderLeft, 0, 1000);
    dx.Word(IDC_EXTEND_BORDER_RIGHT, m_borderRight, 0, 1000);
    dx.Word(IDC_EXTEND_BORDER_TOP, m_borderTop, 0, 1000);
    dx.Int(IDC_EXTEND_PCFMS, m_pcfms);
    VRXPRINTINFO& info = m_block.info;
    dx.ComboIndex(IDC_EXTEND_CVP_PRINT_SIZE, info.dwCvpPrintSize);
    dx.ComboIndex(IDC_EXTEND_CMS, info.wCMS);
    dx.ComboIndex(IDC_EXTEND_ANGLE, info.wAngle);
    dx.ComboIndex(IDC_EXTEND_FITTING, info.wPaperFitting);
    dx.ComboIndex(IDC_EXTEND_EDGE, info.wEdgeEnhancement);
    dx.ComboIndex(IDC_EXTEND_COLOR_SPACE, info.dwColorSpace);
    dx.ComboIndex(IDC_EXTEND_PRINT_QUALITY, info.wPrintQuality);
    dx.ComboIndex(IDC_EXTEND_ENLARGE_TYPE, info.byImageEnlargeType);
}

bool CPrintExtendPage::StoreValues() {
    if (!UpdateData(true)) return false;
    VRXPRINTINFO& info = m_block.info;
    info.wWithBorderTop = m_borderTop;
    info.wWithBorderBottom = m_borderBottom;
    info.wWithBorderLeft = m_borderLeft;
    info.wWithBorderRight = m_borderRight;
    CopyText(m_paperName, info.szPaperName, sizeof info.szPaperName);
    // Any integer is accepted; the field keeps its low 16 bits like every 16-bit field.
    info.nPcfms = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(m_pcfms)));
    return true;
}

void CPrintExtendPage::OnChooseColor() {
    if (!UpdateData(true)) return;
    static COLORREF custom[16] = {};
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = Handle();
    chooser.lpCustColors = custom;
    if (!ui::ChooseColour(chooser)) return;
    uint8_t(&rgb)[3] = m_block.info.byWithBorderColor;
    rgb[0] = GetRValue(chooser.rgbResult);
    rgb[1] = GetGValue(chooser.rgbResult);
    rgb[2] = GetBValue(chooser.rgbResult);
    UpdateData(false);
}

// --- KOLMXML

CPrintKolmXmlPage::CPrintKolmXmlPage(PrintRequest& block) : CPrintPage(IDD_PRINT_KOLMXML, block) {
    Route(IDC_KOLM_CHOOSE_FILE, &CPrintKolmXmlPage::OnChooseFile);
}

BOOL CPrintKolmXmlPage::OnInitDialog() {
    ui::ComboBox list(Item(IDC_KOLM_PRIORITY));
    m_priorityIndex = -1;
    for (int i = 0; i < static_cast<int>(std::size(KolmPriorityTable)); ++i) {
        list.AddString(KolmPriorityTable[i].name);
        if (KolmPriorityTable[i].value == m_block.priority) m_priorityIndex = i;
    }
    m_path = m_block.colorCommandPath;
    return ui::Dialog::OnInitDialog();
}

void CPrintKolmXmlPage::Exchange(ui::DataExchange& dx) {
    dx.ComboIndex(IDC_KOLM_PRIORITY, m_priorityIndex);
    dx.Text(IDC_KOLM_FILE_PATH, m_path, PrintRequest::kPathCapacity);
}

bool CPrintKolmXmlPage::StoreValues() {
    if (!UpdateData(true)) return false;
    // None chosen: the normal priority, a value the table holds.
    m_block.priority = m_priorityIndex >= 0 && m_priorityIndex < static_cast<int>(std::size(KolmPriorityTable)) ? KolmPriorityTable[m_priorityIndex].value : 0;
    m_block.colorCommandPath = m_path;
    return true;
}

void CPrintKolmXmlPage::OnChooseFile() {
    if (!UpdateData(true)) return;
    std::string path;  // the chooser starts empty, not at the typed path
    if (!ui::ChooseFileToOpen(Handle(), kColorCommandFiles, path)) return;
    m_path = path;
    UpdateData(false);
}

// --- The print dialog

CDevPrintDlg::CDevPrintDlg() : ui::Dialog(IDD_DEV_PRINT) {
    RouteNotify(IDC_PRINT_TAB, TCN_SELCHANGE, [this](const NMHDR&) -> LRESULT {
        ShowSelectedPage();
        return 0;
    });
}

CDevPrintDlg::~CDevPrintDlg() = default;

void CDevPrintDlg::Exchange(ui::DataExchange& dx) { dx.UInt(IDC_PRINT_REPEAT_COUNT, m_repeatCount, 1, 100); }

BOOL CDevPrintDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_tab.Attach(Item(IDC_PRINT_TAB));
    auto basic = std::make_unique<CPrintBasicPage>(*m_block);
    basic->m_maintenance = m_maintenance;
    m_pages.push_back(std::move(basic));
    m_pages.push_back(std::make_unique<CPrintExtendPage>(*m_block));
    if (m_mode == 1) m_pages.push_back(std::make_unique<CPrintKolmXmlPage>(*m_block));
    for (auto& page : m_pages) {
        m_tab.InsertItem(m_tab.GetItemCount(), page->GetPageTitle());
        page->m_reveal = [this](CPrintPage& refused) { Reveal(refused); };
        // A child of the dialog, not of the tab control, above it.
        page->CreateModeless(Handle());
    }
    const RECT area = m_tab.PageArea();
    for (auto& page : m_pages)
        SetWindowPos(page->Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
    m_tab.SetCurSel(0);
    ShowSelectedPage();
    if (m_mode == 1) SetText("DevPrintKolmXml");
    return TRUE;
}

void CDevPrintDlg::ShowSelectedPage() {
    const std::string title = m_tab.GetItemText(m_tab.GetCurSel());
    for (auto& page : m_pages) {
        const bool selected = page->GetPageTitle() == title;
        page->Show(selected);
        page->Enable(selected);
    }
}

void CDevPrintDlg::Reveal(CPrintPage& page) {
    for (int i = 0; i < m_tab.GetItemCount(); ++i) {
        if (m_tab.GetItemText(i) != page.GetPageTitle()) continue;
        m_tab.SetCurSel(i);
        ShowSelectedPage();
        return;
    }
}

void CDevPrintDlg::OnOK() {
    for (auto& page : m_pages)
        if (!page->StoreValues()) return;
    if (UpdateData(true)) Close(IDOK);
}

void CDevPrintDlg::OnDestroy() {
    for (auto& page : m_pages) page->Destroy();
    m_pages.clear();
}
