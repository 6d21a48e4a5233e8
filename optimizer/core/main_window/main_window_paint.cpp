// CMainWindow: painting the current page, the game-mode result panel, the sweep progress and the memory
// clean-up's percentage and result line.
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/main_window/main_window_layout.h"
#include "optimizer/tools/memory/memory_result_line.h"
#include "skin/controls/skin_draw.h"
#include "skin/paint/memory_dc.h"

namespace {

// Character height in pixels of a font of `points` on `dc`.
int PointsToHeight(HDC dc, int points) {
    return -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
}

void DrawPanelText(HDC dc,
                   const std::wstring& text,
                   COLORREF color,
                   Gdiplus::StringAlignment align,
                   float x,
                   float y,
                   float width,
                   float height) {
    SkinFontLook font;
    font.face = L"\u5b8b\u4f53";  // 宋体
    font.height = PointsToHeight(dc, 9);
    Gdiplus::StringFormat format;
    format.SetAlignment(align);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    DrawSkinText(dc, text, font, color, Gdiplus::RectF(x, y, width, height), &format);
}

void DrawBar(HDC dc, Gdiplus::Bitmap* image, int x, int y, int width) {
    if (!image)
        return;  // a bar whose image did not load is not drawn
    Gdiplus::Graphics graphics(dc);
    const int w = static_cast<int>(image->GetWidth()), h = static_cast<int>(image->GetHeight());
    DrawImagePart(graphics, image, {x, y, x + width, y + h}, 0, 0, w, h, true);
}

const wchar_t* const kGameModeImages[] = {L"BoostIcon1", L"BoostIcon2", L"BoostIcon3",  L"BoostIcon4",
                                          L"BoostIcon5", L"BoostIcon6", L"ChaosCircle1"};

}  // namespace

void CMainWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC screen = ::BeginPaint(m_hWnd, &ps);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    if (!m_paintBuffer || m_paintBuffer->Width() != client.right || m_paintBuffer->Height() != client.bottom)
        m_paintBuffer = std::make_unique<CMemory_DC>(screen, client.right, client.bottom);
    const CMemory_DC& memory = *m_paintBuffer;
    if (memory.Get()) {
        PaintBackground(memory, client);
        PaintPage(memory);
        ::BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    }
    ::EndPaint(m_hWnd, &ps);
    ::SetTimer(m_hWnd, kTimerPaintBufferIdle, kPaintBufferKeepMs, nullptr);
    if (m_firstPaintDone) {
        ::SetEvent(m_firstPaintDone.Get());
        m_firstPaintDone.Reset();
    }
}

void CMainWindow::PaintBackground(HDC dc, const RECT& client) {
    // Scaling large images with alpha is most of a repaint's cost; these never change, so each page's is
    // drawn once and copied afterwards.
    const int kind = m_page == 0 ? 0 : 1;
    const wchar_t* const pictures[] = {L"WindowBk", kind == 0 ? L"WindowBk3" : L"WindowBk2"};
    AutoBitmap& cached = m_backgrounds[kind];
    AutoMemoryDC source(::CreateCompatibleDC(dc));
    BITMAP size = {};
    if (cached)
        ::GetObjectW(cached.Get(), sizeof(size), &size);
    if (!cached || size.bmWidth != client.right || size.bmHeight != client.bottom) {
        if (kind == 1)
            m_skin.LoadPage(m_hWnd, 2);  // its one control, the background, with the images left till now
        for (const wchar_t* picture : pictures)
            m_skin.RestoreImage(picture);
        // In the screen's format: a plain copy each paint (a 24-bit one is smaller but converts on every copy).
        cached.Reset(::CreateCompatibleBitmap(dc, client.right, client.bottom));
        ScopedSelectObject select(source.Get(), cached.Get());
        // A skin that did not load leaves a plain page rather than black.
        ::FillRect(source.Get(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        for (const wchar_t* picture : pictures) {
            m_skin.Paint(source.Get(), picture);
            m_skin.DropImage(picture);  // decoded again should the other kind need it
        }
    }
    ScopedSelectObject select(source.Get(), cached.Get());
    ::BitBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
}

void CMainWindow::PaintPage(HDC dc) {
    if (m_page == 0) {
        PaintGameModePage(dc);
    } else {
        if (m_page == 1) {
            for (const ControlRow& row : MainWindowControlTable())
                if (row.page == 1)
                    m_skin.Paint(dc, row.name);
        }
    }
    // The frame's own controls stay on top of every page.
    for (const wchar_t* name : {L"SysCloseBtn", L"SysMinBtn", L"MainTabUI"})
        m_skin.Paint(dc, name);
}

void CMainWindow::PaintGameModePage(HDC dc) {
    for (const wchar_t* name : kGameModeImages)
        m_skin.Paint(dc, name);
    m_skin.Paint(dc, L"ChaosCircle2", static_cast<int>(m_game.m_boostFrame) + 1);
    m_skin.Paint(dc, L"ChaosCircle3");
    m_skin.Paint(dc, L"ChaosCircle21");
    m_skin.Paint(dc, L"ChaosCircle22", static_cast<int>(m_memoryFrame) + 1);
    m_skin.Paint(dc, L"ChaosCircle23");
    m_skin.Paint(dc, main_controls::kSweepStatus);
    m_skin.Paint(dc, main_controls::kMemoryStatus);
    if (m_game.m_showResult)
        PaintResultPanel(dc);
    if (m_game.m_progress != 0)
        PaintProgress(dc, m_game.m_progress, ProgressTextLeft(m_game.m_progress));
    PaintMemoryResult(dc);
    m_skin.Paint(dc, main_controls::kServiceCount);
    m_skin.Paint(dc, m_game.m_gameMode ? L"CancelBoostBtn" : L"BeginBoostBtn");
    m_skin.Paint(dc, L"BeginMemoryBtn");
    if (m_pageFileWarning) {
        for (const wchar_t* name : {L"VirtualMemory", L"VirtualMemoryWarning", L"VirtualMemoryLink"})
            m_skin.Paint(dc, name);
    }
}

void CMainWindow::PaintResultPanel(HDC dc) {
    using Gdiplus::StringAlignmentCenter;
    const COLORREF text = RGB(0x3A, 0x43, 0x4A);
    DrawPanelText(dc, std::to_wstring(m_game.m_stopped), RGB(0xD1, 0x36, 0x32), StringAlignmentCenter, 152, 149, 20,
                  20);
    // 项服务已优化,性能提升
    DrawPanelText(dc, L"\u9879\u670d\u52a1\u5df2\u4f18\u5316,\u6027\u80fd\u63d0\u5347", text, StringAlignmentCenter,
                  167, 149, 140, 20);
    DrawPanelText(dc, std::to_wstring(m_game.m_score) + L"%", RGB(0x1B, 0x85, 0xDB), Gdiplus::StringAlignmentNear, 300,
                  149, 100, 20);
    DrawPanelText(dc, L"\u52a0\u901f\u524d:", text, StringAlignmentCenter, 130, 174, 100, 20);  // 加速前:
    DrawPanelText(dc, L"\u52a0\u901f\u540e:", text, StringAlignmentCenter, 130, 194, 100, 20);  // 加速后:
    DrawBar(dc, m_skin.LooseImage(L"Strip_1.png"), 201, 175, kBeforeBarWidth);
    DrawBar(dc, m_skin.LooseImage(L"Strip_2.png"), 201, 195, AfterBarWidth(m_game.m_score));
}

void CMainWindow::PaintProgress(HDC dc, int percent, int left) {
    SkinFontLook font;
    font.face = L"Arial";
    font.height = PointsToHeight(dc, 10);
    font.weight = FW_BOLD;
    DrawSkinText(dc, std::to_wstring(percent) + L"%", font, RGB(0x33, 0x64, 0x83),
                 Gdiplus::RectF(static_cast<float>(left), 197, 100, 100), nullptr);
}

void CMainWindow::PaintMemoryResult(HDC dc) {
    if (m_memoryPercent != 0)
        PaintProgress(dc, m_memoryPercent, MemoryPercentLeft(m_memoryPercent));
    if (!m_memoryResultShown)
        return;
    SkinFontLook font;
    font.height = PointsToHeight(dc, 10);
    const auto width = [&font](const std::wstring& text) {
        return static_cast<float>(MeasureDrawnSkinText(text, font).cx);
    };
    const MemoryResultLayout at =
        LayOutMemoryResult(width(kMemoryResultHead), width(kMemoryResultBlanks), width(m_memoryFreedText));
    const COLORREF words = RGB(0x3A, 0x43, 0x4A);
    const float top = kMemoryResultTop;
    DrawSkinText(dc, kMemoryResultHead, font, words, Gdiplus::RectF(kMemoryResultLeft, top, 300, 20), nullptr);
    DrawSkinText(dc, m_memoryFreedText, font, RGB(0xD1, 0x36, 0x32), Gdiplus::RectF(at.amountLeft, top, 100, 20),
                 nullptr);
    DrawSkinText(dc, kMemoryResultTail, font, words, Gdiplus::RectF(at.tailLeft, top, 100, 20), nullptr);
}
